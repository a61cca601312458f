#!/usr/bin/env bash
# Starts and stops what the tests under Wine need, once per ctest run: an
# Xvfb display and a fresh Wine prefix, both kept in <dir>.
#   wine_session.sh start <dir>
#   wine_session.sh stop <dir>
set -euo pipefail
action=$1 dir=$2
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck source=wine_prefix.sh
source "$(dirname "$0")/wine_prefix.sh"

stop() {
  if [ -f "$dir/display" ]; then
    DISPLAY=$(cat "$dir/display") "$wineserver" -k 2>/dev/null || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/display"
}

case "$action" in
  start)
    stop
    mkdir -p "$dir"
    # The first display number that no other X server holds.
    display=90
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
      display=$((display + 1))
    done
    setsid Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$display" ] && break
      sleep 0.1
    done
    [ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
    echo ":$display" >"$dir/display"
    export DISPLAY=":$display"
    make_wine_prefix "$dir/wineboot.log"
    echo "Xvfb on :$display, Wine prefix in $WINEPREFIX"
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop <dir>" >&2
    exit 2
    ;;
esac
