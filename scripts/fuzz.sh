#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time on its corpus.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# New inputs found are kept in build/fuzz/corpus/<target>; every artifact libFuzzer writes
# (crash-, leak-, timeout-, oom-, slow-unit-) goes to build/fuzz/findings. The targets run
# inside build/fuzz, so nothing they write lands in the source folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mapfile -t targets < <(if [ $# -gt 0 ]; then printf '%s\n' "$@"; else
  find build/fuzz/bin -maxdepth 1 -type f -name 'fuzz_*' -printf '%f\n' | sort; fi)

mkdir -p build/fuzz/findings build/fuzz/logs

# fuzz_one TARGET: one target for the given seconds, its output in build/fuzz/logs.
fuzz_one() {
  local target=$1 work=corpus/${1#fuzz_}
  mkdir -p "build/fuzz/$work"
  (cd build/fuzz && bin/"$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix=findings/"$target"- "$work" "$PWD/../../fuzz/corpus/${target#fuzz_}" \
    >logs/"$target".log 2>&1) || true
}

# The targets run as many at a time as there are cores, each for the same seconds.
parallel=${VN574_FUZZ_JOBS:-$(nproc)}
running=0
for target in "${targets[@]}"; do
  fuzz_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

failed=0
for target in "${targets[@]}"; do
  echo "== $target for ${seconds}s"
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' "build/fuzz/logs/$target.log" || true
  # Slow units are only reported (a busy machine makes any input slow); crashes,
  # sanitizer reports, leaks, time-outs and memory blow-ups fail.
  if compgen -G "build/fuzz/findings/$target-crash-*" || compgen -G "build/fuzz/findings/$target-leak-*" ||
    compgen -G "build/fuzz/findings/$target-timeout-*" || compgen -G "build/fuzz/findings/$target-oom-*"; then
    echo "!! $target found a failing input; see build/fuzz/findings and build/fuzz/logs/$target.log"
    failed=1
  fi
done
exit "$failed"
