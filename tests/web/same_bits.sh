#!/usr/bin/env bash
# The WebAssembly core draws the very same bits as the native one: the digests of everything
# 2,000 seeded runs and 800 near ties of four sites on a circle draw, line for line; and a
# seed orders the same exercises and quiz rounds in both.
# Usage: same_bits.sh NATIVE_EDGE_DIGEST WASM_EDGE_DIGEST_JS
set -euo pipefail
native=$1 wasm=$2
if [[ ! -f $wasm ]]; then
  echo "no WebAssembly build at $wasm: build it with 'cmake --preset web && cmake --build --preset web'" >&2
  exit 1
fi
export NODE_PATH=/usr/share/nodejs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for what in "1-2000" "--near-ties 800" "--orders 200"; do
  # Each side writes to a file, never to a pipe: node's synchronous writes to a pipe whose
  # reader lags behind drop the rest of the output and still exit with status 0.
  # shellcheck disable=SC2086
  "$native" $what >"$work/native"
  # shellcheck disable=SC2086
  node "$wasm" $what >"$work/wasm"
  if ! diff "$work/native" "$work/wasm" >"$work/diff"; then
    echo "the WebAssembly core draws otherwise ($what): native <, WebAssembly >" >&2
    head -20 "$work/diff" >&2
    status=1
  fi
  echo "$what: $(wc -l <"$work/native") layouts compared"
done
exit $status
