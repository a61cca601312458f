#!/usr/bin/env bash
# Starts and stops what the tests under Wine need, once per ctest run: an
# Xvfb display and a fresh Wine prefix with one Wine server of their own, all
# kept in <dir>. wine_run.sh reaches them through <dir>/env alone, so two runs
# from two build trees never see each other's display, prefix or server.
#   wine_session.sh start <dir>
#   wine_session.sh stop <dir>
set -euo pipefail
# shellcheck source=../xvfb.sh
. "$(dirname "$0")/../xvfb.sh"
# shellcheck source=wine_prefix.sh
. "$(dirname "$0")/wine_prefix.sh"
action=$1 dir=$(realpath -m "$2")

stop() {
  if [ -d "$dir/prefix" ]; then
    # Waits until the server and every process of the prefix have ended, so
    # that nothing of this session outlives it.
    if (export WINEPREFIX=$dir/prefix; end_wine_prefix) >/dev/null 2>&1; then
      # The server's socket folder, which this Wine names in the prefix.
      local sockets
      sockets=$(cat "$dir/prefix/wineserver" 2>/dev/null || true)
      if [[ $sockets == wine-* ]]; then rm -rf "${TMPDIR:-/tmp}/$sockets"; fi
    fi
  fi
  rm -f "$dir/env"
  stop_xvfb "$dir"
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
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    for name in DISPLAY XAUTHORITY WINEPREFIX WINEDEBUG WINEARCH WINEDLLOVERRIDES; do
      printf 'export %s=%q\n' "$name" "${!name}"
    done >"$dir/env"
    make_wine_prefix "$dir/wineboot.log"
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
