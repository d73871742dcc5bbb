#!/usr/bin/env bash
# Sets up the machine, builds Glimmet and starts it under Wine on the current display. Glimmet
# keeps Conf.txt beside its program, in the build's bin folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run-glimmet: no display (DISPLAY is not set). Glimmet is a desktop program: run this from a" >&2
  echo "graphical session, or under a virtual one: xvfb-run -a scripts/run-glimmet.sh" >&2
  exit 1
fi
"$root/scripts/setup.sh"
(cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows -j "$(nproc)" --target Glimmet)
. "$root/scripts/wine-env.sh" x11
exec wine "$root/build/windows/bin/Glimmet.exe" "$@"
