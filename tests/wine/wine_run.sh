#!/usr/bin/env bash
# Runs a Windows program under Wine in the session that wine_session.sh made.
#   wine_run.sh <session-dir> <program.exe> [arguments...]
set -euo pipefail
dir=$1
shift
[ -f "$dir/display" ] || { echo "no Wine session in $dir: run wine_session.sh start" >&2; exit 1; }
export DISPLAY
DISPLAY=$(cat "$dir/display")
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
exec "$(command -v wine64 || echo /usr/lib/wine/wine64)" "$@"
