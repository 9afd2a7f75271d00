#!/usr/bin/env bash
# Builds the core for 64-bit Windows (the windows-core preset: mingw-w64) and runs its
# tests under Wine. Every Wine call has a time limit and the Wine server of the build's
# own prefix is stopped at the end, passed or failed, so that a machine where Wine
# misbehaves fails this stage with a message instead of holding up the test command.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "windows-tests: $*" >&2
  exit 1
}

cmake --preset windows-core >/dev/null
cmake --build --preset windows-core

export WINEPREFIX="$PWD/build/windows-core/wineprefix"
export WINEDEBUG=-all
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine64" ] || fail "wine64 is not installed (scripts/install-deps.sh --windows)"

stop_wine() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT

# The server is started to stay (-p) before the first program: every test then meets a
# running Wine instead of each starting and stopping one. The first program makes the
# prefix when there is none, and starts Wine's background services; its standard
# streams are closed, for a service that inherits CTest's output pipe keeps CTest
# waiting for the end of that output long after the test is over.
mkdir -p "$WINEPREFIX"
timeout 60 wineserver -p || fail "the Wine server did not start"
timeout 300 "$wine64" cmd /c exit </dev/null >/dev/null 2>&1 ||
  fail "Wine did not start within 5 minutes (prefix $WINEPREFIX)"

# Each test has two minutes; the whole pass ten.
status=0
timeout 600 ctest --preset windows-core -j "${VN574_TEST_JOBS:-$(nproc)}" --timeout 120 || status=$?
if [ "$status" -eq 124 ]; then
  fail "the tests under Wine did not end within 10 minutes"
fi
exit "$status"
