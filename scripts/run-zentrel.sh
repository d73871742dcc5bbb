#!/usr/bin/env bash
# Sets up the machine, builds the Windows programs and starts Zentrel under Wine on the current
# display, in the current directory (where it keeps Zentrel.config and its logs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run-zentrel: no display (DISPLAY is not set). Zentrel is a desktop program: run this from a" >&2
  echo "graphical session, or under a virtual one: xvfb-run -a scripts/run-zentrel.sh" >&2
  exit 1
fi
"$root/scripts/setup.sh"
(cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows -j "$(nproc)" --target Zentrel)
. "$root/scripts/wine-env.sh" x11
cd "$work"
exec wine "$root/build/windows/bin/Zentrel.exe"
