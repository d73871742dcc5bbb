#!/usr/bin/env bash
# Builds the Windows programs and writes the release zip dist/Zentrel-<version>-win64.zip
# (Zentrel.exe, nkf32.dll, Glimmet.exe, zentrel-cli.exe, readme.txt). The same sources give the
# same zip bytes: the programs carry no link time and the zip fixed times and order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh" null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target dist
ls -l "$root"/dist/*.zip
