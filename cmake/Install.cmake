# What `cmake --install` puts where, under any prefix (and DESTDIR): the program, the web
# edition, its desktop entry, icons, AppStream metadata and manual page, and the copyright
# file of its package.
include(GNUInstallDirs)

# Elements that name a web address are written only when the address is configured.
set(VD_METAINFO_HOMEPAGE "")
set(VD_METAINFO_SCREENSHOTS "")
set(VD_COPYRIGHT_SOURCE "")
if(VD_HOMEPAGE)
  set(VD_METAINFO_HOMEPAGE "  <url type=\"homepage\">${VD_HOMEPAGE}</url>\n")
  set(VD_COPYRIGHT_SOURCE "Source: ${VD_HOMEPAGE}\n")
endif()
if(VD_SCREENSHOT_URL)
  string(CONCAT VD_METAINFO_SCREENSHOTS
         "  <screenshots>\n    <screenshot type=\"default\">\n"
         "      <caption>The Voronoi diagram and Delaunay triangulation of 39 random sites</caption>\n"
         "      <image>${VD_SCREENSHOT_URL}</image>\n    </screenshot>\n  </screenshots>\n")
endif()

configure_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${PROJECT_BINARY_DIR}/data/copyright
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/voronoi-delaunay.desktop.in
               ${PROJECT_BINARY_DIR}/data/${VD_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/voronoi-delaunay.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/data/${VD_APP_ID}.metainfo.xml @ONLY)

install(TARGETS voronoi-delaunay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The web edition in one file (scripts/build-web.sh makes it; run.sh, test.sh and package.sh
# call it first), for a browser to open from the installed folder.
install(FILES ${PROJECT_SOURCE_DIR}/build/web/web/voronoi-delaunay.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/voronoi-delaunay)
install(FILES ${PROJECT_BINARY_DIR}/data/${VD_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/data/${VD_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The manual page and the package's change log are installed compressed, as man and
# Debian expect; -n leaves the name and time out, so the files are the same on every build.
set(VD_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/voronoi-delaunay)
foreach(compressed man/voronoi-delaunay.1 data/changelog)
  get_filename_component(name ${compressed} NAME)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/data/${name}.gz
    COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/${compressed}' > '${PROJECT_BINARY_DIR}/data/${name}.gz'"
    DEPENDS ${PROJECT_SOURCE_DIR}/${compressed}
    VERBATIM)
  list(APPEND VD_COMPRESSED ${PROJECT_BINARY_DIR}/data/${name}.gz)
endforeach()
add_custom_target(vd_compressed_docs ALL DEPENDS ${VD_COMPRESSED})
install(FILES ${PROJECT_BINARY_DIR}/data/voronoi-delaunay.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/data/changelog.gz
        DESTINATION ${VD_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/data/copyright DESTINATION ${VD_DOC_DIR})

include(cmake/Packaging.cmake)
