#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds, starting from its seed corpus (fuzz/corpus, or
# fuzz/results-corpus for the results parser). New
# inputs go to a temporary folder, never into the repository. Fails when a target finds a
# crash, a leak or undefined behaviour; the input is left in build/fuzz/findings.
# Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null
findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
# Each target with its seed corpus.
for target_corpus in site_list_fuzz:fuzz/corpus run_fuzz:fuzz/corpus results_fuzz:fuzz/results-corpus; do
  target=${target_corpus%%:*}
  corpus=${target_corpus#*:}
  work=$(mktemp -d)
  echo "== fuzz $target for ${seconds} s"
  if ! build/fuzz/fuzz/$target -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$corpus" \
      >"$work.log" 2>&1; then
    tail -n 40 "$work.log"
    echo "fuzz $target: failed; the input is in $findings"
    rm -rf "$work" "$work.log"
    exit 1
  fi
  grep -E "DONE|stat::number_of_executed_units|stat::peak_rss_mb" "$work.log" || true
  rm -rf "$work" "$work.log"
done
