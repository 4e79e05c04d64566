#!/usr/bin/env bash
# On demand, not in CI: builds the Debian package and runs lintian on it. Fails on any
# lintian error; warnings are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg-query -W -f='${Status}' lintian 2>/dev/null | grep -q "install ok installed"; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    lintian >/dev/null
fi
package=$(scripts/package.sh)
echo "$package"
lintian --fail-on error --info "$package"
