#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop gets: the file list,
# the desktop entry and the AppStream metadata against their validators, the manual page
# rendered without a warning and naming every option of --help.
# Usage: check_install.sh BUILD_DIR APP_ID. Exit 77 (skipped) when a validator is missing.
set -euo pipefail
build=$1
id=$2
for tool in desktop-file-validate appstreamcli groff; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

expected="usr/bin/voronoi-delaunay
usr/share/applications/$id.desktop
usr/share/doc/voronoi-delaunay/changelog.gz
usr/share/doc/voronoi-delaunay/copyright
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/man1/voronoi-delaunay.1.gz
usr/share/metainfo/$id.metainfo.xml
usr/share/voronoi-delaunay/voronoi-delaunay.html"
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  echo "installed files differ from the expected list:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$id.metainfo.xml"
grep -q "^Icon=$id\$" "$root/usr/share/applications/$id.desktop"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$root/usr/share/metainfo/$id.metainfo.xml"
grep -q "^License: GPL-3.0-or-later" "$root/usr/share/doc/voronoi-delaunay/copyright"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$root/usr/share/metainfo/$id.metainfo.xml"

page=$(mktemp)
gzip -dc "$root/usr/share/man/man1/voronoi-delaunay.1.gz" >"$page"
warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  echo "the manual page renders with warnings:"
  echo "$warnings"
  exit 1
fi
missing=0
for option in $("$root/usr/bin/voronoi-delaunay" --help | grep -oE -- '--[a-z]+' | sort -u); do
  if ! grep -qF -- "${option//-/\\-}" "$page"; then
    echo "the manual page does not document $option"
    missing=1
  fi
done
rm -f "$page"
[ "$missing" -eq 0 ]
echo "installed and validated: $(echo "$expected" | wc -l) files"
