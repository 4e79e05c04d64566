#!/usr/bin/env bash
# Time from launch to finished picture. Runs, alternately, the demonstration saving a
# 49-site picture (seed 54 draws 49 sites) and a bare Qt program that starts the same way
# and saves an empty picture of the same size; prints the median wall time of each and
# their ratio. Usage: bench/time_to_picture.sh [build folder] (default build/release);
# RUNS sets the number of runs of each (default 41).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${RUNS:-41}
program="$build/voronoi-delaunay"
bare="$build/bench/bare_startup"
for f in "$program" "$bare"; do
  [ -x "$f" ] || { echo "missing $f: build the release preset first" >&2; exit 2; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$out"

elapsed() {  # microseconds taken by the command
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$out/picture" && : >"$out/bare"
for _ in $(seq "$runs"); do
  elapsed "$program" --seed 54 --save "$out/picture.png" >>"$out/picture"
  elapsed "$bare" "$out/bare.png" >>"$out/bare"
done
picture=$(median <"$out/picture")
baseline=$(median <"$out/bare")
echo "runs of each:            $runs"
echo "49-site picture, median: $picture us"
echo "bare Qt start, median:   $baseline us"
awk -v a="$picture" -v b="$baseline" 'BEGIN { printf "ratio:                   %.3f\n", a / b }'
