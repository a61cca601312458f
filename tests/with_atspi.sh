#!/usr/bin/env bash
# Runs a test program where a screen reader would meet it: on an X server of
# its own (under_openbox.sh), on a private D-Bus session whose accessibility
# bus (AT-SPI) starts on demand, with Qt's AT-SPI bridge switched on.
#   with_atspi.sh <program> [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- "$here/under_openbox.sh" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
