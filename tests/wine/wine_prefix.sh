# Sourced by the scripts that start Wine for the tests. Sets $wine and
# $wineserver; the functions act on the prefix in $WINEPREFIX (and, making
# it, on the display in $DISPLAY).
#   make_wine_prefix <log>   a fresh prefix, its one Wine server running and
#                            its services settled; what Wine prints goes to
#                            <log>
#   end_wine_prefix          ends every program of the prefix and its server,
#                            and waits up to 60 s until they have gone; fails
#                            when they have not
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

make_wine_prefix() {
  local log=$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # The prefix made by one wineboot, and then everything it started ended,
  # the server too, so that the registry is on disk and no start-up is still
  # going on when the tests begin.
  "$wine" wineboot --init </dev/null >"$log" 2>&1
  timeout 300 "$wineserver" -w ||
    { echo "the new Wine prefix's programs did not end within 300 s"; return 1; }
  # One Wine server for the whole session, with its output away from ctest's:
  # started by a test, it would hold that test's output open until it ends.
  setsid "$wineserver" -p </dev/null >/dev/null 2>&1
  # No window manager runs on the display: Wine draws the windows' frames
  # itself, so that title bars and close boxes are there to click.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$log" 2>&1
  # A program that crashes ends with a report on its output, not a dialog
  # that would wait for a click until the test times out.
  "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >>"$log" 2>&1
  wait_until_settled "$(dirname "$log")/processes"
}

end_wine_prefix() {
  "$wineserver" -k 2>/dev/null
  timeout 60 "$wineserver" -w 2>/dev/null
}

# The names of the prefix's running programs, one a line, sorted; not those
# of the listing itself. The listing goes through <file>: a service started
# now would hold a pipe open for good.
wine_prefix_processes() {
  local file=$1
  timeout 60 "$wine" winedbg --command "info proc" </dev/null >"$file" 2>/dev/null || true
  sed -n "s/.*'\(.*\)'.*/\1/p" "$file" | grep -vxE 'start\.exe|winedbg\.exe' | sort || true
}

# Waits until the prefix's services run once each and the list of its
# programs holds still, as it does once nothing starts or restarts.
wait_until_settled() {
  local file=$1 deadline=$((SECONDS + 180)) before="" now
  while :; do
    now=$(wine_prefix_processes "$file")
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
