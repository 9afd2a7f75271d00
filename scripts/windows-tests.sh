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
# Wine names the files it creates in the locale's character set: without a UTF-8 locale
# (a bare environment has none) a name such as "Kanäle-日本.vd" cannot be created at all.
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine64" ] || fail "wine64 is not installed (scripts/install-deps.sh --windows)"
# /usr/bin/wineserver comes with the recommended wine package, which a minimal install
# leaves out; wine64's own library folder always has it.
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[ -x "$wineserver" ] || fail "wineserver is not installed (scripts/install-deps.sh --windows)"
export WINESERVER="$wineserver"

stop_wine() {
  timeout 30 "$wineserver" -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT

# The server is started to stay (-p) before the first program: every test then meets a
# running Wine instead of each starting and stopping one. The first program makes the
# prefix when there is none, and starts Wine's background services; its standard
# streams are closed, for a service that inherits CTest's output pipe keeps CTest
# waiting for the end of that output long after the test is over.
# A server left from an earlier run of this prefix is stopped first.
mkdir -p "$WINEPREFIX"
stop_wine
timeout 60 "$wineserver" -p || fail "the Wine server did not start"
timeout 300 "$wine64" cmd /c exit </dev/null >/dev/null 2>&1 ||
  fail "Wine did not start within 5 minutes (prefix $WINEPREFIX)"

# Each test has two minutes; the whole pass ten. A test that fails is run once more:
# on a fresh prefix Wine now and then fails to start a program at all (no output, a
# hundredth of a second), while a real fault fails the second run as well.
status=0
timeout 600 ctest --preset windows-core -j "${VN574_TEST_JOBS:-$(nproc)}" --timeout 120 \
  --repeat until-pass:2 || status=$?
if [ "$status" -eq 124 ]; then
  fail "the tests under Wine did not end within 10 minutes"
fi

# The read over a COM port: Wine maps COM5 to the pseudo-terminal of the simulated
# radio (a dosdevices link, which opens the port without listing it), and the Windows
# program reads the demonstration radio through it. The Linux command-line tool then
# reads the same radio; the two channel data files must be the same, byte for byte.
sim=build/default/bin/vn574-radio-sim
cli=build/default/bin/vn574-cli
[ -x "$sim" ] && [ -x "$cli" ] || fail "the COM-port read needs the Linux build (build/default)"
work=$(mktemp -d)
cp tests/data/demo-radio.img "$work/radio.img"
"$sim" --image "$work/radio.img" >"$work/sim.out" 2>&1 &
sim_pid=$!
stop_all() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
  stop_wine
}
trap stop_all EXIT
pty=""
for _ in $(seq 50); do
  pty=$(head -n 1 "$work/sim.out" 2>/dev/null || true)
  [ -n "$pty" ] && break
  sleep 0.1
done
[ -n "$pty" ] || fail "the simulated radio did not start"
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
timeout 150 "$wine64" build/windows-core/bin/vn574_com_port_read.exe COM5 "Z:$work/windows.vd" \
  </dev/null || fail "the read over COM5 under Wine failed"
XDG_DATA_HOME="$work/data" timeout 120 "$cli" read --port "$pty" --fast --config-dir "$work/config" \
  -o "$work/linux.vd" >/dev/null || fail "the Linux read of the same radio failed"
cmp "$work/windows.vd" "$work/linux.vd" && cmp "$work/windows.ton" "$work/linux.ton" ||
  fail "the COM-port read under Wine differs from the Linux read"
echo "windows-tests: the read over COM5 under Wine gives the Linux read's files"
exit "$status"
