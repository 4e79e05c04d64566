#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Idempotent: when everything is present it prints nothing and changes nothing.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev libgl-dev          # Qt 6 Widgets and the OpenGL headers its CMake files ask for
  libgtest-dev googletest         # GoogleTest and GoogleMock
  libbenchmark-dev                # Google Benchmark
  libgmp-dev                      # GMP's exact rationals and their C++ classes
  nlohmann-json3-dev              # reads and writes the exercises' results files
  libfmt-dev                      # the shortest digits of a number where the C++ library has no to_chars
  emscripten libboost-dev         # the WebAssembly core, with Boost's rationals in place of GMP's
  fonts-dejavu-core               # the label's font
  desktop-file-utils appstream    # validators of the installed desktop entry and metadata
  groff-base                      # renders the manual page in its test
  clang libclang-rt-14-dev        # the fuzz targets: clang with libFuzzer and the sanitizers
  poppler-utils                   # reads back the PDF files in the tests
  texlive-latex-base texlive-pictures texlive-latex-recommended  # compiles the TikZ and Beamer files in the tests
  chromium nodejs                 # opens the web pages in the tests, driven from Node
)
# npm comes with Debian's nodejs as a package of its own, and inside other builds of Node.
command -v npm >/dev/null 2>&1 || packages+=(npm)

# The browser driver the web page tests use, at the version its lock file pins.
install_browser_driver() {
  local web=tests/web
  local pinned installed
  pinned=$(sed -n 's/.*"playwright-core": "\(.*\)".*/\1/p' "$web/package.json")
  installed=$(sed -n 's/^  "version": "\(.*\)".*/\1/p' \
    "$web/node_modules/playwright-core/package.json" 2>/dev/null || true)
  if [ "$pinned" != "$installed" ]; then
    echo "Installing playwright-core $pinned for the web page tests" >&2
    (cd "$web" && npm ci --silent --no-audit --no-fund >/dev/null)
  fi
}
cd "$(dirname "$0")/.."

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
install_browser_driver
