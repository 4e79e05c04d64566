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
# The web edition, which the tests compare with the native build (SameBits, the browser
# tests) and the install test finds installed.
echo "== web"
scripts/build-web.sh
export NODE_PATH=/usr/share/nodejs
for preset in dev sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
