#!/usr/bin/env bash
# Unpacks the release zip into a fresh Wine prefix, as a user with nothing else installed would,
# starts Zentrel and Glimmet from there (each must show its main window and close cleanly) and runs
# zentrel-cli --help. Usage: scripts/check-dist.sh [ZIP]   (default: the zip in dist/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=${1:-$(ls "$root"/dist/Zentrel-*-win64.zip | head -n 1)}
checker="$root/build/windows/bin/release_smoke.exe"
[ -f "$checker" ] || { echo "check-dist: build release_smoke first" >&2; exit 1; }

. "$root/scripts/wine-env.sh" null
scratch="$root/build/wine/dist-check"
export WINEPREFIX="$scratch/pfx" HOME="$scratch/home"
desktop=""
cleanup() {
  if [ -n "$desktop" ]; then kill "$desktop" 2>/dev/null || true; fi
  wineserver -k >/dev/null 2>&1 || true
}
trap cleanup EXIT
wineserver -k >/dev/null 2>&1 || true
rm -rf "$scratch"
mkdir -p "$WINEPREFIX" "$HOME"
wine wineboot -i </dev/null >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f </dev/null >/dev/null 2>&1
# The graphics driver is chosen when a session starts: end the set-up session, then keep one
# server running for the whole check (cleanup ends it; it serves only this prefix).
wineserver -w </dev/null >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1
wine explorer.exe /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
desktop=$!

# Where a user would unpack it: a folder of their own on drive C:.
user_folder="$WINEPREFIX/drive_c/users/Public/Documents"
mkdir -p "$user_folder"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$user_folder"
program_folder=$(ls -d "$user_folder"/Zentrel-*)
echo "check-dist: $(basename "$zip") unpacked into $program_folder"
for name in Zentrel.exe nkf32.dll Glimmet.exe zentrel-cli.exe readme.txt; do
  [ -f "$program_folder/$name" ] || { echo "check-dist: $name missing from the zip" >&2; exit 1; }
done

windows_folder=$(wine winepath -w "$program_folder" 2>/dev/null | tr -d '\r')
cp "$checker" "$scratch/release_smoke.exe"
wine "$scratch/release_smoke.exe" "$windows_folder" </dev/null

help=$(cd "$program_folder" && wine ./zentrel-cli.exe --help </dev/null)
case "$help" in
  Usage:*zentrel-cli\ check*zentrel-cli\ convert*) echo "ok: zentrel-cli --help prints its usage" ;;
  *) echo "check-dist: zentrel-cli --help printed: $help" >&2; exit 1 ;;
esac
echo "check-dist: passed"
