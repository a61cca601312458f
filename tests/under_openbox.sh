#!/usr/bin/env bash
# Runs a test program on an X server of its own under the openbox window
# manager, so that what the program tells the window manager can be checked:
#   under_openbox.sh <program> [arguments...]
set -euo pipefail
. "$(dirname "$0")/xvfb.sh"

dir=$(mktemp -d)
openbox_pid=
cleanup() {
  [ -z "$openbox_pid" ] || kill "$openbox_pid" 2>/dev/null || true
  stop_xvfb "$dir"
  rm -rf "$dir"
}
trap cleanup EXIT

start_xvfb "$dir" 1280x1024x24

openbox --sm-disable </dev/null >"$dir/openbox.log" 2>&1 &
openbox_pid=$!
# Generous: on a loaded machine openbox can take many seconds to take over.
deadline=$((SECONDS + 90))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  if ! kill -0 "$openbox_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
    echo "openbox did not take over the display within 90 s; its log:"
    cat "$dir/openbox.log"
    exit 1
  fi
  sleep 0.1
done

QT_QPA_PLATFORM=xcb "$@"
