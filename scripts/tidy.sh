#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy at the root) over the core libraries' sources; fails on
# any finding. Needs the compile commands of a configured default build. The Windows-only
# sources are left out: this build does not compile them; the Windows build does, with
# every warning an error.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/default/compile_commands.json ] || cmake --preset default >/dev/null
mapfile -t sources < <(git ls-files -- 'src/app/*.cpp' 'src/document/*.cpp' 'src/codec/*.cpp' \
  'src/files/*.cpp' 'src/link/*.cpp' | grep -v -e '^src/link/qt/' -e '/Win32')
printf '%s\n' "${sources[@]}" | xargs -P"$(nproc)" -n4 clang-tidy -p build/default --quiet
