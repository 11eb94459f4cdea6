#!/usr/bin/env bash
# Runs a command on a fresh Xvfb screen (1280 x 1024) under twm, as on a real
# X11 desktop, and returns its status. Skipped (77) when an X tool is missing.
set -u
for tool in Xvfb twm xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
display=:$((RANDOM % 1000 + 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
wm=0
trap 'kill $wm $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
twm >/dev/null 2>&1 & wm=$!
sleep 0.5
"$@"
