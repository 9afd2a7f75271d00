#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest:
# the normal build and its whole suite, then the core, the window code and three
# transfers over a pseudo-terminal again under AddressSanitizer and
# UndefinedBehaviorSanitizer, 30 seconds of each fuzz target, clang-tidy over the core,
# then the core built for Windows with its tests under Wine. It ends, also when a stage fails, with the minutes of each stage and the ten
# slowest tests, so that the time the command takes stays in view.
#   scripts/test.sh          everything (what CI runs)
#   scripts/test.sh --quick  the normal build with its unit and window tests only
set -euo pipefail
cd "$(dirname "$0")/.."

quick=false
if [ "${1:-}" = "--quick" ]; then
  quick=true
fi

# Tests that compute run as many at a time as there are cores. The transfers over a
# pseudo-terminal mostly wait for ticks, so more of them run at once, in a pass of
# their own: beside the computing tests a busy machine could make a reply miss its
# tick. The one transfer that keeps a user's 100 ms tick is RUN_SERIAL in its CMake.
jobs=${VN574_TEST_JOBS:-$(nproc)}
pty_jobs=${VN574_PTY_JOBS:-10}
logs=build/test-logs
mkdir -p "$logs"
rm -f "$logs"/*.log "$logs"/stages.txt
export QT_QPA_PLATFORM=offscreen

# stage NAME COMMAND...: runs one stage and notes its seconds, failed or not.
stage() {
  local name=$1 start status=0
  shift
  start=$(date +%s)
  echo "=== $name"
  "$@" || status=$?
  printf '%s\t%s\t%s\n' "$name" "$(($(date +%s) - start))" "$status" >>"$logs/stages.txt"
  return "$status"
}

# ctest_pass NAME ARGS...: a CTest pass whose output is kept for the slowest-test table.
ctest_pass() {
  local name=$1
  shift
  ctest "$@" 2>&1 | tee "$logs/$name.log"
  return "${PIPESTATUS[0]}"
}

summary() {
  local status=$?
  # The table must not change the outcome: head closing its pipe early is no failure.
  set +e +o pipefail
  [ -f "$logs/stages.txt" ] || exit "$status"
  echo
  echo "=== Stages"
  awk -F'\t' '{ total += $2; printf "  %-22s %5d s %6.1f min  %s\n", $1, $2, $2 / 60, ($3 == 0 ? "ok" : "FAILED") }
    END { printf "  %-22s %5d s %6.1f min\n", "total", total, total / 60 }' "$logs/stages.txt"
  if compgen -G "$logs/*.log" >/dev/null; then
    echo "=== The ten slowest tests"
    # ctest's result lines: "  12/345 Test  #67: name .......   Passed    1.23 sec", each
    # named with its pass (the log's name).
    grep -HE 'Test +#[0-9]+: .* sec$' "$logs"/*.log |
      sed -E 's|^.*/([^/]+)\.log:.*Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$|\3\t\2 (\1)|' |
      sort -t$'\t' -k1,1 -rn | head -n 10 | awk -F'\t' '{ printf "  %8.1f s  %s\n", $1, $2 }'
  fi
  exit "$status"
}
trap summary EXIT

stage install scripts/install-deps.sh --windows
stage format scripts/check-format.sh

# configure_and_build PRESET
configure_and_build() {
  cmake --preset "$1" && cmake --build --preset "$1"
}

stage build configure_and_build default
if $quick; then
  stage tests ctest_pass default --preset default -j "$jobs" -L '^(unit|window)$'
  exit 0
fi
stage tests ctest_pass default --preset default -j "$jobs" -LE '^pty$'
stage pty-tests ctest_pass default-pty --preset default -j "$pty_jobs" -L '^pty$'

# The sanitizers slow everything down several times; the transfers over a pty they add
# little to once one read, one write and one fault have run under them.
stage sanitizer-build configure_and_build asan
stage sanitizer-tests ctest_pass asan --preset asan -j "$jobs" -L '^(unit|window)$'
stage sanitizer-pty ctest_pass asan-pty --preset asan -j "$pty_jobs" -L '^pty-smoke$'

# Every fuzz target for a short while on its corpus: a regression on any input
# surface shows up here.
stage fuzz scripts/fuzz.sh 30

stage tidy scripts/tidy.sh

# The core built for Windows, its tests under Wine.
stage windows scripts/windows-tests.sh
