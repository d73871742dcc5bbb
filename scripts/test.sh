#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the native portable-core tests
# (ASan/UBSan) and the Windows tests under Wine. Exit status non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
jobs=$(nproc)

echo "== native build and tests (Linux, ASan/UBSan)"
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

echo "== Windows build and tests (MinGW-w64, Wine)"
(
  . "$root/scripts/wine-env.sh" null
  # A warm, persistent wineserver: cold, every test executable costs seconds. Ended on any exit.
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$jobs"
  ctest --preset windows -j "$jobs" </dev/null
)
