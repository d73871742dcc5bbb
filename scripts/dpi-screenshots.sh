#!/usr/bin/env bash
# Screenshots of Zentrel's main dialog and every dialog, and of Glimmet's main form, at 96, 144 and
# 192 DPI (Wine's HKCU\Control Panel\Desktop LogPixels), on a virtual display:
# build/artifacts/dpi/<dpi>/*.png; at each DPI zentrel_label_tests also measures every label of
# Zentrel's dialogs against its control. The x11 prefix is set back to 96 DPI at the end.
# Usage: scripts/dpi-screenshots.sh   (builds what it runs; starts Xvfb itself when DISPLAY is unset)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 2400x1800x24" "$0" "$@"
fi
cd "$root"
. "$root/scripts/wine-env.sh" null
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target Zentrel nkf32 Glimmet dialog_screenshots zentrel_label_tests
"$root/scripts/wine-prefix.sh" x11
. "$root/scripts/wine-env.sh" x11

set_dpi() {
  wineserver -k >/dev/null 2>&1 || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  # The DPI is read when a session starts.
  wineserver -w </dev/null >/dev/null 2>&1 || true
}
trap 'set_dpi 96' EXIT

shots="$root/build/windows/screenshots"
failed=0
for dpi in 96 144 192; do
  set_dpi "$dpi"
  rm -f "$shots"/dpi"$dpi"_*.bmp
  (cd "$root/build/windows/bin" && wine dialog_screenshots.exe "dpi$dpi" </dev/null)
  out="$root/build/artifacts/dpi/$dpi"
  mkdir -p "$out"
  for bmp in "$shots"/dpi"$dpi"_*.bmp; do
    name=$(basename "$bmp" .bmp)
    convert "$bmp" "$out/${name#dpi"$dpi"_}.png"
  done
  echo "dpi-screenshots: $dpi DPI -> $out"
  if (cd "$root/build/windows/bin" && wine zentrel_label_tests.exe --gtest_brief=1 </dev/null); then
    echo "dpi-screenshots: every label fits at $dpi DPI"
  else
    failed=1
  fi
done
exit "$failed"
