#!/usr/bin/env bash
# Builds the editor and runs it against a simulated radio, so it can be tried without
# hardware: installs what is missing, builds the default preset, puts the demonstration
# radio (tests/data/demo-radio.img: 100 channels of model AE with 2-tone, 5-tone and
# DTMF installed) on a pseudo-terminal and starts the editor on it. The first run shows
# the initial setup; its OK tests the link to the simulated radio.
#   scripts/run.sh [vn574 options...]
# The radio keeps what is written into it in build/default/demo/radio.img; delete that
# folder to start again from the demonstration programming and the first-run setup.
# The editor's data folder is build/default/demo/data (XDG_DATA_HOME): the backups taken
# before writes and the transfer history of a demonstration stay with it, out of the
# user's own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

bin=build/default/bin
demo=build/default/demo
mkdir -p "$demo/config"
export XDG_DATA_HOME="$PWD/$demo/data"
if [ ! -f "$demo/radio.img" ]; then
  cp tests/data/demo-radio.img "$demo/radio.img"
fi

sim_out="$demo/sim.out"
: >"$sim_out"
"$bin/vn574-radio-sim" --image "$demo/radio.img" --save "$demo/radio.img" >"$sim_out" 2>&1 &
sim_pid=$!
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
}
trap stop_sim EXIT

port=""
for _ in $(seq 1 100); do
  port=$(head -n 1 "$sim_out")
  if [ -n "$port" ] || ! kill -0 "$sim_pid" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if [ -z "$port" ] || [ ! -e "$port" ]; then
  echo "run.sh: the simulated radio did not start:" >&2
  cat "$sim_out" >&2
  exit 1
fi
echo "Simulated radio on $port (model AE, memory in $demo/radio.img)"

editor=("$bin/vn574" --port "$port" --config-dir "$demo/config" "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset);" \
    "running the editor under xvfb-run -a, where it cannot be seen." >&2
  xvfb-run -a "${editor[@]}"
else
  "${editor[@]}"
fi
