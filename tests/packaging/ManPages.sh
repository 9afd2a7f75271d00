#!/usr/bin/env bash
# The manual pages format without warnings and describe the programs as they are: the
# commands of vn574-cli --help are the COMMANDS of its page, and every long option a
# program's help names appears in its page.
#   ManPages.sh BIN_DIR MAN_DIR
set -euo pipefail
bin=$1
mandir=$2
export QT_QPA_PLATFORM=offscreen

fail() { echo "FAIL: $*" >&2; exit 1; }

for page in "$mandir"/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# The words after "Commands:" in the help, up to the empty line; the .SS headings of the
# page's COMMANDS section ("\-" is how a page writes "-").
help_commands=$("$bin/vn574-cli" --help |
  awk '/^Commands:/ {on = 1; next} on && /^$/ {exit} on {print $1}' | sort)
page_commands=$(awk '/^\.SH/ {on = ($2 == "COMMANDS"); next} on && /^\.SS/ {print $2}' \
  "$mandir/vn574-cli.1" | sed 's/\\-/-/g' | sort)
[ -n "$help_commands" ] || fail "vn574-cli --help lists no commands"
[ "$help_commands" = "$page_commands" ] ||
  fail "vn574-cli --help and vn574-cli(1) list different commands:
$(diff <(echo "$help_commands") <(echo "$page_commands"))"

# Every --option of a help text must be in the page.
check_options() { # PAGE HELP_TEXT
  local page=$1 option
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$2" | sort -u); do
    grep -Fq -- "$(sed 's/-/\\-/g' <<<"$option")" "$page" ||
      fail "$(basename "$page") does not describe $option"
  done
}
check_options "$mandir/vn574.1" "$("$bin/vn574" --help)"
check_options "$mandir/vn574-radio-sim.1" "$("$bin/vn574-radio-sim" --help)"
for command in $help_commands; do
  check_options "$mandir/vn574-cli.1" "$("$bin/vn574-cli" "$command" --help)"
done
echo "manual pages match the programs"
