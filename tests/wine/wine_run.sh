#!/usr/bin/env bash
# Runs a Windows program under Wine in the session that wine_session.sh made,
# on its display, in its prefix and with its Wine server only.
#   wine_run.sh <session-dir> <program.exe> [arguments...]
set -euo pipefail
dir=$1
shift
[ -f "$dir/env" ] || { echo "no Wine session in $dir: run wine_session.sh start" >&2; exit 1; }
kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null ||
  { echo "the Wine session's Xvfb in $dir has ended" >&2; exit 1; }
unset WINESERVER WINELOADER
. "$dir/env"
exec "$(command -v wine64 || echo /usr/lib/wine/wine64)" "$@"
