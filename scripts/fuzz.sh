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

mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  seeds=$PWD/fuzz/corpus/${target#fuzz_}
  work=corpus/${target#fuzz_}
  mkdir -p "build/fuzz/$work"
  echo "== $target for ${seconds}s"
  (cd build/fuzz && bin/"$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix=findings/"$target"- "$work" "$seeds" 2>&1) |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
  # Slow units are only reported (a busy machine makes any input slow); crashes,
  # sanitizer reports, leaks, time-outs and memory blow-ups fail.
  if compgen -G "build/fuzz/findings/$target-crash-*" || compgen -G "build/fuzz/findings/$target-leak-*" ||
    compgen -G "build/fuzz/findings/$target-timeout-*" || compgen -G "build/fuzz/findings/$target-oom-*"; then
    echo "!! $target found a failing input; see build/fuzz/findings"
    exit 1
  fi
done
