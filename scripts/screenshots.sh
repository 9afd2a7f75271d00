#!/usr/bin/env bash
# Remakes every picture of the README and the user guide from the current program, in
# English and Chinese: the main window with the demonstration radio's programming open
# (vn574 --screenshot), the radio option dialog, the 5-tone dialog and the clone window
# in the middle of a read from the simulated demonstration radio
# (vn574-documentation-pictures). Runs without a display.
#   scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a font for Chinese the Chinese pictures would show boxes.
if [ -z "$(fc-list :lang=zh-cn family 2>/dev/null)" ]; then
  echo "screenshots.sh: no font for Chinese is installed; run scripts/install-deps.sh" >&2
  exit 1
fi
cmake --preset default >/dev/null
cmake --build --preset default --target vn574 vn574-radio-sim vn574-documentation-pictures

bin=build/default/bin
# A fixed folder, so that the file name the pictures show is the same on every machine.
work=/tmp/vn574-screenshots
rm -rf "$work"
mkdir -p "$work"
cp tests/data/demo-radio.vd tests/data/demo-radio.ton "$work/"
file=$work/demo-radio.vd
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen

# The main window: the README's own command, in a settings folder never set up but for
# the record of installed options that a read of the demonstration radio leaves (5-tone,
# 2-tone and DTMF), so that its signalling channels show as the radio holds them rather
# than as cells that need attention.
mkdir -p "$work/config"
printf '\001\001\001\000' >"$work/config/Setting.ini"
"$bin/vn574" --screenshot docs/screenshot.png --config-dir "$work/config" --lang english "$file"
"$bin/vn574" --screenshot docs/screenshot-chinese.png --config-dir "$work/config" \
  --lang chinese "$file"

# The read comes from the demonstration radio, the same programming as the file.
cp tests/data/demo-radio.img "$work/radio.img"
"$bin/vn574-radio-sim" --image "$work/radio.img" >"$work/sim.out" 2>&1 &
sim_pid=$!
port=""
for _ in $(seq 1 100); do
  port=$(head -n 1 "$work/sim.out")
  if [ -n "$port" ] || ! kill -0 "$sim_pid" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if [ -z "$port" ] || [ ! -e "$port" ]; then
  echo "screenshots.sh: the simulated radio did not start:" >&2
  cat "$work/sim.out" >&2
  exit 1
fi

"$bin/vn574-documentation-pictures" --lang english --port "$port" docs "$file"
"$bin/vn574-documentation-pictures" --lang chinese --port "$port" --suffix -chinese docs "$file"
ls -l docs/*.png
