# Sourced by the scripts that give tests an X server of their own.
#   start_xvfb <dir> <width>x<height>x<depth>
# Starts Xvfb on a display number it takes itself (-displayfd: the server
# locks a free number atomically, so two runs never share one), reachable
# only with the cookie in <dir>/xauthority. Exports DISPLAY and XAUTHORITY and
# leaves the server's pid in <dir>/xvfb.pid. The server runs in a session of
# its own, so that it may outlive the script that started it.
#   stop_xvfb <dir>
# Ends that server and waits until it has gone.

start_xvfb() {
  local dir=$1 screen=$2 cookie pid
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  export XAUTHORITY=$dir/xauthority
  rm -f "$dir/display"
  : >"$XAUTHORITY"
  # The server takes every cookie in its file, whatever display an entry
  # names; clients look theirs up by display, added once the number is known.
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
  # -noreset: by default the server resets when its last client leaves, and a
  # client that comes during the reset cannot connect; between two tests of
  # a Wine session, no client may be left.
  setsid Xvfb -displayfd 3 -auth "$XAUTHORITY" -noreset -screen 0 "$screen" -nolisten tcp \
    3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
  pid=$!
  echo "$pid" >"$dir/xvfb.pid"
  # Xvfb writes the number once it takes connections. On a loaded machine
  # that can take many seconds; a server that ended is not waited for.
  local deadline=$((SECONDS + 90))
  until [ -s "$dir/display" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
      echo "Xvfb did not start within 90 s; its log:" >&2
      cat "$dir/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$dir/display")"
  xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
}

stop_xvfb() {
  local dir=$1 pid
  [ -f "$dir/xvfb.pid" ] || return 0
  pid=$(cat "$dir/xvfb.pid")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true  # reaps it when this shell started it
  local deadline=$((SECONDS + 30))
  while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/xvfb.pid" "$dir/display"
}
