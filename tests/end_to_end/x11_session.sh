#!/usr/bin/env bash
# Runs a command on a fresh Xvfb screen (1280 x 1024) under twm, as on a real
# X11 desktop, and returns its status. Skipped (77) when an X tool is missing.
set -u
for tool in Xvfb twm xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
. "$(dirname "$0")/xvfb.sh"
wm=0
trap 'kill $wm $xvfb 2>/dev/null' EXIT
start_twm
"$@"
