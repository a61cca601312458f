#!/usr/bin/env bash
# Runs one Windows test program under Wine in a session of its own, for tests
# that change the prefix itself (installing and removing a package): a fresh
# Wine prefix in a new folder under <parent>, and an Xvfb display that Xvfb
# chooses itself, so that it can run beside any other test, another run of
# itself included. Both end with the program; the folder stays only when the
# program failed. Unix paths among the arguments are passed on as Windows
# paths (drive Z:).
#   msi_session.sh <parent> <program.exe> [arguments...]
set -euo pipefail
parent=$1
shift
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

mkdir -p "$parent"
dir=$(mktemp -d "$parent/session.XXXXXX")
mkdir -p "$dir/home"
# HOME too, so that nothing Wine makes for the Linux desktop leaves the folder;
# winemenubuilder off, so that the shortcuts a package makes add no Linux menu
# entries; no Mono or Gecko installer prompts.
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEARCH=win64 HOME=$dir/home
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# shellcheck source=wine_prefix.sh
source "$(dirname "$0")/wine_prefix.sh"

xvfb=
status=1
finish() {
  "$wineserver" -k 2>/dev/null || true
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  if [ "$status" -eq 0 ]; then rm -rf "$dir"; else echo "kept $dir"; fi
}
trap finish EXIT

# Xvfb writes the number of the display it took once it accepts clients.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$dir/display" </dev/null \
  >"$dir/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do
  grep -q '^[0-9]' "$dir/display" 2>/dev/null && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
grep -q '^[0-9]' "$dir/display" || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"

make_wine_prefix "$dir/wineboot.log"
echo "Xvfb on $DISPLAY, Wine prefix in $WINEPREFIX"

program=$1
shift
arguments=()
for argument in "$@"; do
  if [[ $argument == /* ]]; then
    argument="Z:${argument//\//\\}"
  fi
  arguments+=("$argument")
done
status=0
"$wine" "$program" "${arguments[@]}" </dev/null || status=$?
exit "$status"
