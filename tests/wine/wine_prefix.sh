# Sourced by the scripts that start Wine for the tests, after they have set
# $wine and $wineserver and exported WINEPREFIX and DISPLAY.
#   make_wine_prefix <log>   a fresh prefix in $WINEPREFIX, its Wine server
#                            running; what Wine prints goes to <log>
make_wine_prefix() {
  local log=$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # One Wine server for the whole session, with its output away from ctest's:
  # started by a test, it would hold that test's output open until it ends.
  setsid "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine" wineboot --init </dev/null >"$log" 2>&1
  # No window manager runs on the display: Wine draws the windows' frames
  # itself, so that title bars and close boxes are there to click.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$log" 2>&1
  # A program that crashes ends with a report on its output, not a dialog
  # that would wait for a click until the test times out.
  "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >>"$log" 2>&1
}
