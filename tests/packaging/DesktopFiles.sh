#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the MIME type pass the checks of the tools
# that read them, and the MIME type gives .vd files the type the desktop entry opens.
#   DesktopFiles.sh SOURCE_DIR WORK_DIR
set -euo pipefail
packaging=$1/packaging
work=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli update-mime-database; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

desktop-file-validate "$packaging/vn574.desktop" || fail "desktop-file-validate refused vn574.desktop"
appstreamcli validate --no-net "$packaging"/*.metainfo.xml || fail "appstreamcli refused the metainfo"

rm -rf "$work"
mkdir -p "$work/mime/packages"
cp "$packaging/vn574-mime.xml" "$work/mime/packages/vn574.xml"
update-mime-database "$work/mime" 2>"$work/update.log" ||
  { cat "$work/update.log" >&2; fail "update-mime-database refused the MIME type"; }
type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$packaging/vn574.desktop")
[ -n "$type" ] || fail "the desktop entry names no MimeType"
grep -Fxq "50:$type:*.vd" "$work/mime/globs2" || fail "*.vd is not of the type $type"
grep -q '^Exec=vn574 %f$' "$packaging/vn574.desktop" || fail "the desktop entry does not pass the file"
echo "desktop entry, metainfo and MIME type pass"
