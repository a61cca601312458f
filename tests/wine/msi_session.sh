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
# shellcheck source=../xvfb.sh
source "$(dirname "$0")/../xvfb.sh"

status=1
finish() {
  # Everything of the prefix ended before its folder goes.
  end_wine_prefix || true
  stop_xvfb "$dir"
  if [ "$status" -eq 0 ]; then rm -rf "$dir"; else echo "kept $dir"; fi
}
trap finish EXIT

start_xvfb "$dir" 1600x1200x24

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
