#!/usr/bin/env bash
# Builds the program (release) and runs it; any arguments are passed to the program, and
# file names in them are taken from the folder the command was started in.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(
  cd "$root"
  scripts/install-deps.sh
  scripts/build-web.sh  # installed beside the program
  cmake --preset release >/dev/null
  cmake --build --preset release --target voronoi-delaunay -j"$(nproc)" >/dev/null
)
exec "$root/build/release/voronoi-delaunay" "$@"
