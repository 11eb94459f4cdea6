#!/usr/bin/env bash
# The window over the real accessibility bus: under Xvfb, in a private D-Bus
# session with the AT-SPI bus started, BRIVO runs on xcb with accessibility
# on, and atspi_probe.py drives it as a screen reader would. Skipped (77)
# when a tool is missing. $1: the brivo executable.
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb twm xdotool dbus-run-session xwininfo /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: pyatspi is missing"; exit 77; }
brivo=$1
work=$(mktemp -d)
. "$(dirname "$0")/xvfb.sh"
start_twm
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 SDL_AUDIODRIVER=dummy
export NO_AT_BRIDGE=0 GTK_MODULES=
# One session: a private bus, the AT-SPI bus, and the probe, which starts
# BRIVO and plays scenario $1 with it.
session() {
  dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
    sleep 1
    /usr/bin/python3 "$3/atspi_probe.py" "$4" "$2"; status=$?
    kill $launcher 2>/dev/null
    [ $status -eq 0 ] || { echo "--- brivo:"; cat "$1/brivo.log"; }
    exit $status
  ' atspi "$work" "$brivo" "$here" "$1"
}
# The buses and BRIVO are started afresh for each scenario and each try: a
# session whose daemons come up too slowly on a loaded machine gets a second
# one, and the first one's output stays in the log.
# ATSPI_SCENARIOS picks some of them.
for scenario in ${ATSPI_SCENARIOS:-play export course fill chart}; do
  session $scenario || { echo "--- second try"; session $scenario; } || exit 1
done
