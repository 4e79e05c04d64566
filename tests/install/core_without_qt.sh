#!/usr/bin/env bash
# The core builds without Qt: no Qt header or type in its folders, and no Qt named in their
# CMake files (the top CMakeLists.txt refuses a core library that links Qt by any way).
# Usage: core_without_qt.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
core=(geometry steps run explanation exercises picture session)
status=0
if grep -rnE '#include <Q|\bQ[A-Z][A-Za-z]+\b|\bqreal\b|Qt::' "${core[@]/#/$source_dir/}" \
  --include='*.h' --include='*.cpp' --include='*.inc'; then
  echo "Qt in the core's sources (above)" >&2
  status=1
fi
for folder in "${core[@]}"; do
  if grep -nE 'Qt6|qt_' "$source_dir/$folder/CMakeLists.txt"; then
    echo "$folder/CMakeLists.txt names Qt (above)" >&2
    status=1
  fi
done
exit $status
