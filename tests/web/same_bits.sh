#!/usr/bin/env bash
# The WebAssembly core draws the very same bits as the native one: the digests of everything
# 2,000 seeded runs and 800 near ties of four sites on a circle draw, line for line.
# Usage: same_bits.sh NATIVE_EDGE_DIGEST WASM_EDGE_DIGEST_JS
set -euo pipefail
native=$1 wasm=$2
if [[ ! -f $wasm ]]; then
  echo "no WebAssembly build at $wasm: build it with 'cmake --preset web && cmake --build --preset web'" >&2
  exit 1
fi
export NODE_PATH=/usr/share/nodejs
status=0
for what in "1-2000" "--near-ties 800"; do
  # shellcheck disable=SC2086
  if ! diff <("$native" $what) <(node "$wasm" $what) >/tmp/same_bits.$$; then
    echo "the WebAssembly core draws otherwise ($what): native <, WebAssembly >" >&2
    head -20 /tmp/same_bits.$$ >&2
    status=1
  fi
  # shellcheck disable=SC2086
  echo "$what: $("$native" $what | wc -l) layouts compared"
done
rm -f /tmp/same_bits.$$
exit $status
