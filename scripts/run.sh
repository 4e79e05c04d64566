#!/usr/bin/env bash
# Builds the program (release) and runs it; any arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target voronoi-delaunay -j"$(nproc)" >/dev/null
exec build/release/app/voronoi-delaunay "$@"
