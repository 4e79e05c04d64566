# Puts the web edition into one HTML file: the page's template with its style, the core
# (emscripten's JavaScript with the WebAssembly inside) and the page's script filled in.
# Usage: cmake -DTEMPLATE=... -DSTYLE=... -DCORE=... -DSCRIPT=... -DOUT=... -P make_page.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${TEMPLATE}" page)
file(READ "${STYLE}" style)
file(READ "${CORE}" core)
file(READ "${SCRIPT}" script)
foreach(part IN ITEMS core script)
  string(TOLOWER "${${part}}" lower)
  string(FIND "${lower}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${part} holds </script and would end its element early")
  endif()
endforeach()
string(REPLACE "@STYLE@" "${style}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
string(REPLACE "@CORE@" "${core}" page "${page}")
file(WRITE "${OUT}" "${page}")
