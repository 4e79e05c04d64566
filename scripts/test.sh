#!/usr/bin/env bash
# Runs each fuzz target briefly, then builds and runs every test twice: in the development
# build, and under AddressSanitizer and UndefinedBehaviorSanitizer. Headless: Qt draws on
# its offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# A short run of every fuzz target, so that a regression the fuzzers find at once fails here;
# long runs: scripts/fuzz.sh SECONDS.
scripts/fuzz.sh 15
# The WebAssembly core, which the tests compare with the native one (SameBits). emscripten's
# tools need Debian's node modules, whichever node is first on the path.
echo "== web"
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web -j"$(nproc)"
for preset in dev sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
