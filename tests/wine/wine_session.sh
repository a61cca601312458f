#!/usr/bin/env bash
# Starts and stops what the tests under Wine need, once per ctest run: an
# Xvfb display and a fresh Wine prefix with one Wine server of their own, all
# kept in <dir>. wine_run.sh reaches them through <dir>/env alone, so two runs
# from two build trees never see each other's display, prefix or server.
#   wine_session.sh start <dir>
#   wine_session.sh stop <dir>
set -euo pipefail
. "$(dirname "$0")/../xvfb.sh"
action=$1 dir=$(realpath -m "$2")
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

stop() {
  if [ -d "$dir/prefix" ]; then
    # Waits until the server and every process of the prefix have ended, so
    # that nothing of this session outlives it.
    if (export WINEPREFIX=$dir/prefix; "$wineserver" -k; timeout 60 "$wineserver" -w) \
      >/dev/null 2>&1; then
      # The server's socket folder, which this Wine names in the prefix.
      local sockets
      sockets=$(cat "$dir/prefix/wineserver" 2>/dev/null || true)
      if [[ $sockets == wine-* ]]; then rm -rf "${TMPDIR:-/tmp}/$sockets"; fi
    fi
  fi
  rm -f "$dir/env"
  stop_xvfb "$dir"
}

# The names of the prefix's running programs, one a line, sorted; not those
# of the listing itself.
prefix_processes() {
  # Into a file: a service started now would hold a pipe open for good.
  timeout 60 "$wine" winedbg --command "info proc" </dev/null >"$dir/processes" 2>/dev/null || true
  sed -n "s/.*'\(.*\)'.*/\1/p" "$dir/processes" | grep -vxE 'start\.exe|winedbg\.exe' | sort || true
}

# Waits until the prefix's services run once each and the list of its
# programs holds still, as it does once nothing starts or restarts.
wait_until_settled() {
  local deadline=$((SECONDS + 180)) before="" now
  while :; do
    now=$(prefix_processes)
    if [ "$(grep -cx 'services\.exe' <<<"$now")" = 1 ] && [ "$now" = "$before" ]; then
      echo "prefix settled: $(tr '\n' ' ' <<<"$now")"
      return 0
    fi
    if [ $SECONDS -ge $deadline ]; then
      echo "the Wine prefix's services did not settle within 180 s (one services.exe, the same" \
        "programs twice in a row); seen before: [$(tr '\n' ' ' <<<"$before")]," \
        "then: [$(tr '\n' ' ' <<<"$now")]"
      return 1
    fi
    before=$now
    sleep 1
  done
}

case "$action" in
  start)
    stop
    mkdir -p "$dir"
    start_xvfb "$dir" 1600x1200x24
    # Quiet, but for Wine's word on why a program cannot start, such as a
    # display it cannot open.
    export WINEPREFIX=$dir/prefix WINEDEBUG=-all,err+winediag WINEARCH=win64
    # No Mono or Gecko installer prompts, no menu entries written into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
    for name in DISPLAY XAUTHORITY WINEPREFIX WINEDEBUG WINEARCH WINEDLLOVERRIDES; do
      printf 'export %s=%q\n' "$name" "${!name}"
    done >"$dir/env"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # The prefix made by one wineboot, and then everything it started ended,
    # the server too, so that the registry is on disk and no start-up is
    # still going on when the tests begin.
    "$wine" wineboot --init </dev/null >"$dir/wineboot.log" 2>&1
    timeout 300 "$wineserver" -w ||
      { echo "the new Wine prefix's programs did not end within 300 s"; exit 1; }
    # One Wine server for the whole run, with its output away from ctest's:
    # started by a test, it would hold that test's output open until it ends.
    setsid "$wineserver" -p </dev/null >/dev/null 2>&1
    # No window manager runs on the display: Wine draws the windows' frames
    # itself, so that title bars and close boxes are there to click.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null \
      >>"$dir/wineboot.log" 2>&1
    # A program that crashes ends with a report on its output, not a dialog
    # that would wait for a click until the test times out.
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >>"$dir/wineboot.log" 2>&1
    wait_until_settled
    echo "Xvfb on $DISPLAY, Wine prefix in $WINEPREFIX"
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop <dir>" >&2
    exit 2
    ;;
esac
