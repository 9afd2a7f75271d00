#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh
cmake --preset default
cmake --build --preset default
export QT_QPA_PLATFORM=offscreen
ctest --preset default
