# Sourced: the environment for running the project's Windows programs under Wine.
# Usage: . scripts/wine-env.sh [null|x11]   (null: headless graphics driver, the default)
# Wine links the shell folders (Desktop, Documents) into $HOME, so HOME moves to a scratch folder.
_zentrel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
_zentrel_kind=${1:-null}
if [ -z "${XAUTHORITY:-}" ] && [ -f "${HOME:-/nonexistent}/.Xauthority" ]; then
  export XAUTHORITY="$HOME/.Xauthority"
fi
export WINEPREFIX="$_zentrel_root/build/wine/$_zentrel_kind/pfx"
export HOME="$_zentrel_root/build/wine/$_zentrel_kind/home"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
export LC_ALL=ja_JP.UTF-8
unset _zentrel_root _zentrel_kind
