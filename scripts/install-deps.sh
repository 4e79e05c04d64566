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
  fonts-dejavu-core               # the label's font
  desktop-file-utils appstream    # validators of the installed desktop entry and metadata
  groff-base                      # renders the manual page in its test
  clang libclang-rt-14-dev        # the fuzz targets: clang with libFuzzer and the sanitizers
  poppler-utils                   # reads back the PDF files in the tests
  texlive-latex-base texlive-pictures texlive-latex-recommended  # compiles the TikZ and Beamer files in the tests
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
