#!/usr/bin/env bash
# The real window under a real window manager (twm on Xvfb), with no saved
# position: its outer frame, title bar included, must be centred on the
# 1280 x 1024 screen. Skipped (77) when the X tools are missing.
set -u
brivo=$(realpath "$1")
for tool in Xvfb twm xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
. "$(dirname "$0")/xvfb.sh"
trap 'kill $app $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
app=0 wm=0
twm >/dev/null 2>&1 & wm=$!
sleep 0.5
cd "$work"
XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$brivo" >/dev/null 2>&1 & app=$!
id=
for _ in $(seq 100); do
  id=$(xdotool search --name "BRIVO v" 2>/dev/null | head -n 1)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { echo "the window never showed"; exit 1; }
sleep 2
frame=$(xwininfo -tree -id "$id" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
value() { xwininfo -id "$frame" | sed -n "s/.*$1: *\(-\?[0-9]*\).*/\1/p"; }
x=$(value 'Absolute upper-left X') y=$(value 'Absolute upper-left Y')
border=$(value 'Border width') width=$(( $(value Width) + 2 * $(value 'Border width') ))
height=$(( $(value Height) + 2 * border ))
want_x=$(( (1280 - width) / 2 )) want_y=$(( (1024 - height) / 2 ))
echo "frame ${width}x${height} at ($x, $y); centred would be ($want_x, $want_y)"
[ "$x" -eq "$want_x" ] && [ "$y" -eq "$want_y" ]
