#!/usr/bin/env bash
# The window over the real accessibility bus: under Xvfb, in a private D-Bus
# session with the AT-SPI bus started, BRIVO runs on xcb with accessibility
# on, and atspi_probe.py drives it as a screen reader would. Skipped (77)
# when a tool is missing. $1: the brivo executable.
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xwininfo /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: pyatspi is missing"; exit 77; }
brivo=$1
work=$(mktemp -d)
# Xvfb picks a free display itself and writes its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 & xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
display=:$(tr -d '[:space:]' <"$displayfile")
rm -f "$displayfile"
[ "$display" != ":" ] || { echo "Xvfb did not start"; kill $xvfb 2>/dev/null; exit 1; }
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 SDL_AUDIODRIVER=dummy
export NO_AT_BRIDGE=0 GTK_MODULES=
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
  sleep 1
  (cd "$1" && exec "$2") >"$1/brivo.log" 2>&1 & app=$!
  /usr/bin/python3 "$3/atspi_probe.py"; status=$?
  kill $app $launcher 2>/dev/null
  wait $app 2>/dev/null
  [ $status -eq 0 ] || { echo "--- brivo:"; cat "$1/brivo.log"; }
  exit $status
' atspi "$work" "$brivo" "$here"
