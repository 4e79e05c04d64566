#!/usr/bin/env bash
# Builds the web edition with Debian's emscripten: build/web/web/voronoi-delaunay.html, the
# page in one file that the program installs beside itself, and the WebAssembly core the
# tests compare with the native one. emscripten's tools need Debian's node modules,
# whichever node is first on the path. Quiet unless something fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs
# Called from inside another build too (the desktop program holds the page): its own make.
unset MAKEFLAGS MFLAGS MAKELEVEL
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake --preset web && cmake --build --preset web -j"$(nproc)"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "the web edition did not build" >&2
  exit 1
fi
