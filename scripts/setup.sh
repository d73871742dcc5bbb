#!/usr/bin/env bash
# Prepares a fresh Debian 12 machine for building and testing: Debian packages, the Japanese
# locale (Wine then runs with ANSI code page 932), and the project-local Wine prefixes.
# Idempotent: a second run only checks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth cmake ninja-build googletest libgtest-dev
          locales fonts-ipafont-gothic nkf clang libclang-rt-14-dev xdotool imagemagick python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
  $sudo_cmd localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# Two prefixes: a headless one for tests (no X server needed) and one for running on a display.
"$here/scripts/wine-prefix.sh" null
"$here/scripts/wine-prefix.sh" x11
