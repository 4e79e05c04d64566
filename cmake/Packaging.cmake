# A Debian package of what `cmake --install` installs, built by scripts/package.sh.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voronoi-delaunay)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Voronoi Delaunay maintainers <maintainers@voronoidelaunay.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Voronoi diagram and Delaunay triangulation of points, drawn in a window")
# CPack puts the summary first, as the synopsis; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A demonstration of plane geometry: random sites in a black window with
their Voronoi diagram in red and their Delaunay triangulation in a pale
colour. Sites can be added, dragged and removed with the mouse, and an
explanation mode shows, pair by pair, why an edge is drawn or not.
Pictures are saved as PNG or SVG.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
if(VD_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VD_HOMEPAGE})
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The library dependencies are read off the program with dpkg-shlibdeps; the label's font
# is loaded at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
