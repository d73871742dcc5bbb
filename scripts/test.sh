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
  # A warm, persistent wineserver: cold, every test executable costs seconds. One we started is
  # ended on any exit; one that was already running (someone else's session) is left alone.
  if wineserver -p </dev/null >/dev/null 2>&1; then
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$jobs"
  ctest --preset windows -j "$jobs" </dev/null
)
