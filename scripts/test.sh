#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest:
# the normal build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, 30 seconds of each fuzz target, then clang-tidy over
# the core.
#   scripts/test.sh          everything (what CI runs)
#   scripts/test.sh --quick  the normal build and its tests only
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh
export QT_QPA_PLATFORM=offscreen

cmake --preset default
cmake --build --preset default
ctest --preset default

if [ "${1:-}" = "--quick" ]; then
  exit 0
fi

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# Every fuzz target for a short while on its corpus: a regression on any input
# surface shows up here.
scripts/fuzz.sh 30

scripts/tidy.sh
