#!/usr/bin/env bash
# Builds the Debian package of a build tree, unpacks it into a scratch root and starts the
# installed programs from there: they must find their language files under
# /usr/share/vn574/language of that root, exactly as from the build tree.
#   InstallPackage.sh BUILD_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
build=$1
source=$2
work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/pkg" "$work/root" "$work/cfg-installed" "$work/cfg-build"

(cd "$work/pkg" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >cpack.log 2>&1) ||
  { cat "$work/pkg/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(find "$work/pkg" -maxdepth 1 -name 'vn574_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no vn574_*.deb was built"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The package names of Depends, one a line, without their version conditions.
depended=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr

for file in bin/vn574 bin/vn574-cli bin/vn574-radio-sim \
            share/vn574/language/english.ini share/vn574/language/chinese.ini \
            share/applications/vn574.desktop share/icons/hicolor/scalable/apps/vn574.svg \
            share/icons/hicolor/48x48/apps/vn574.png share/icons/hicolor/256x256/apps/vn574.png \
            share/doc/vn574/user-guide.md share/mime/packages/vn574.xml \
            share/metainfo/localhost.vn574.editor.metainfo.xml \
            share/man/man1/vn574.1.gz share/man/man1/vn574-cli.1.gz \
            share/man/man1/vn574-radio-sim.1.gz; do
  [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
done
grep -q '^Exec=vn574 %f$' "$usr/share/applications/vn574.desktop" || fail "desktop file Exec"
grep -q '^Icon=vn574$' "$usr/share/applications/vn574.desktop" || fail "desktop file Icon"
grep -q '^MimeType=application/x-vn574-channel-data;$' "$usr/share/applications/vn574.desktop" ||
  fail "desktop file MimeType"
zcat "$usr/share/man/man1/vn574-cli.1.gz" | grep -q '^\.SH COMMANDS' || fail "vn574-cli(1) is damaged"
# The MIME and desktop databases are refreshed when the package comes and goes.
triggers=$(dpkg-deb -I "$deb" triggers) || fail "the package has no triggers"
for folder in /usr/share/mime/packages /usr/share/applications; do
  grep -Fxq "activate-noawait $folder" <<<"$triggers" || fail "no trigger for $folder"
done
# Chinese texts need a font with their characters.
grep -Eq '(^|, )fonts-wqy-microhei( |,|$)' <<<"$depends" || fail "Depends lacks a CJK font"

# Every library the programs load directly must come from a package the .deb depends on.
for program in vn574 vn574-cli vn574-radio-sim; do
  for library in $(objdump -p "$usr/bin/$program" | awk '/NEEDED/ {print $2}'); do
    path=$(ldd "$usr/bin/$program" | awk -v lib="$library" '$1 == lib {print $3}')
    [ -n "$path" ] || fail "$program needs $library, which is not found"
    resolved=$(readlink -f "$path")
    package=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$resolved" 2>/dev/null || true)
    package=${package%%:*}
    case "$package" in
      libasan*|libubsan*) continue ;; # sanitizer builds only
    esac
    [ -n "$package" ] || fail "$library of $program belongs to no Debian package"
    grep -Fxq "$package" <<<"$depended" ||
      fail "$program needs $library from $package, which Depends does not list"
  done
done

# The installed command-line tool reads its language file from the scratch root: the
# report it writes must be the one the build tree writes.
"$usr/bin/vn574-cli" report "$source/tests/data/sample-2m.vd" -o "$work/report.txt" \
  --config-dir "$work/cfg-installed" || fail "the installed vn574-cli cannot write a report"
cmp "$work/report.txt" "$source/tests/data/sample-2m.report-english.txt" ||
  fail "the installed vn574-cli wrote a different report"

# The installed editor: its picture must equal the build tree's, menus and headings
# included, which only holds when it has read the same language file. The installed one
# runs in a settings folder that was never set up: a picture skips the initial setup and
# leaves the folder as it was.
printf '[language]\nIsFirstRun=0\nCurrentLanguage=english.ini\n' >"$work/cfg-build/mysetup.ini"
export QT_QPA_PLATFORM=offscreen
"$usr/bin/vn574" --screenshot "$work/installed.png" --config-dir "$work/cfg-installed" \
  --lang english || fail "the installed vn574 did not start"
"$build/bin/vn574" --screenshot "$work/build.png" --config-dir "$work/cfg-build" ||
  fail "the build tree's vn574 did not start"
[ -s "$work/installed.png" ] || fail "no screenshot from the installed vn574"
cmp "$work/installed.png" "$work/build.png" ||
  fail "the installed vn574 looks different from the build tree's (language files not found?)"
[ -z "$(ls -A "$work/cfg-installed")" ] || fail "a screenshot wrote settings: $(ls "$work/cfg-installed")"

# A file given to the installed editor is opened and shown, with its name in the file
# label; one that cannot be opened gives Open's message and no picture.
cp "$source/tests/data/sample-2m.vd" "$source/tests/data/sample-2m.ton" "$work/"
"$usr/bin/vn574" --screenshot "$work/file.png" --config-dir "$work/cfg-installed" \
  --lang english "$work/sample-2m.vd" || fail "the installed vn574 did not show sample-2m.vd"
! cmp -s "$work/file.png" "$work/installed.png" || fail "vn574 FILE shows the empty document"
(cd "$work" && "$build/bin/vn574" --screenshot "$work/file-build.png" \
  --config-dir "$work/cfg-build" sample-2m.vd) || fail "the build tree's vn574 did not open a relative name"
cmp "$work/file.png" "$work/file-build.png" || fail "the installed vn574 shows the file differently"
if "$usr/bin/vn574" --screenshot "$work/absent.png" --config-dir "$work/cfg-installed" \
  "$work/absent.vd" 2>"$work/absent.err"; then
  fail "vn574 --screenshot of a missing file succeeded"
fi
grep -Fq "$work/absent.vd" "$work/absent.err" || fail "no Open message for a missing file"
[ ! -e "$work/absent.png" ] || fail "a picture was saved although the file did not open"
echo "package $deb installs and starts"
