#!/usr/bin/env bash
# Runs a test program on an X server of its own under the openbox window
# manager, so that what the program tells the window manager can be checked:
#   under_openbox.sh <program> [arguments...]
set -euo pipefail

dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number. Both waits are generous:
# on a loaded machine either server can take many seconds to come up.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
pids+=($!)
for _ in $(seq 600); do [ -s "$dir/display" ] && break; sleep 0.1; done
[ -s "$dir/display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"

openbox --sm-disable >"$dir/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 600); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" ||
  { echo "openbox did not start"; cat "$dir/openbox.log"; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
