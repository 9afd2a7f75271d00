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
            share/doc/vn574/user-guide.md; do
  [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
done
grep -q '^Exec=vn574$' "$usr/share/applications/vn574.desktop" || fail "desktop file Exec"
grep -q '^Icon=vn574$' "$usr/share/applications/vn574.desktop" || fail "desktop file Icon"

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
# included, which only holds when it has read the same language file.
for dir in "$work/cfg-installed" "$work/cfg-build"; do
  printf '[language]\nIsFirstRun=0\nCurrentLanguage=english.ini\n' >"$dir/mysetup.ini"
done
export QT_QPA_PLATFORM=offscreen
"$usr/bin/vn574" --screenshot "$work/installed.png" --config-dir "$work/cfg-installed" ||
  fail "the installed vn574 did not start"
"$build/bin/vn574" --screenshot "$work/build.png" --config-dir "$work/cfg-build" ||
  fail "the build tree's vn574 did not start"
[ -s "$work/installed.png" ] || fail "no screenshot from the installed vn574"
cmp "$work/installed.png" "$work/build.png" ||
  fail "the installed vn574 looks different from the build tree's (language files not found?)"
echo "package $deb installs and starts"
