#!/usr/bin/env bash
# Builds the Debian package of the program (release build, CPack's DEB generator) and prints
# its path. Install it with: apt-get install ./PATH
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# dpkg-shlibdeps (dpkg-dev) works out the package's library dependencies; it calls file.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  echo "Installing: ${missing[*]}" >&2
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
scripts/build-web.sh  # the package holds the web edition
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
(cd build/release && cpack -G DEB >/dev/null)
ls -1 "$PWD"/build/release/voronoi-delaunay_*.deb
