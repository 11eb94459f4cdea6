#!/usr/bin/env bash
# Runs a command on a fresh Xvfb screen (1280 x 1024) under twm, as on a real
# X11 desktop, and returns its status. Skipped (77) when an X tool is missing.
set -u
for tool in Xvfb twm xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
# Xvfb picks a free display itself and writes its number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 & xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
display=:$(tr -d '[:space:]' <"$displayfile")
rm -f "$displayfile"
[ "$display" != ":" ] || { echo "Xvfb did not start"; kill $xvfb 2>/dev/null; exit 1; }
wm=0
trap 'kill $wm $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
twm >/dev/null 2>&1 & wm=$!
sleep 0.5
"$@"
