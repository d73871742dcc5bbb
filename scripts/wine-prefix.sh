#!/usr/bin/env bash
# Creates (once) the project-local Wine prefix of the given kind:
#   null - headless graphics driver: windows, messages, dialogs and clipboard work without X;
#   x11  - for running on a display (Xvfb or a real one).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-null}
. "$here/scripts/wine-env.sh" "$kind"
stamp="$WINEPREFIX/.zentrel-ready"
[ -f "$stamp" ] && exit 0
echo "setup: creating Wine prefix ($kind) in $WINEPREFIX"
mkdir -p "$WINEPREFIX" "$HOME"
wine wineboot -i </dev/null >/dev/null 2>&1 || true
# A crash must not open an invisible debugger dialog that hangs a test forever.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
if [ "$kind" = null ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f </dev/null >/dev/null 2>&1
else
  # Without a window manager every hide or destroy of a top-level window costs about 2 s otherwise.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
fi
wineserver -w </dev/null >/dev/null 2>&1 || true
touch "$stamp"
