# Sourced by the X11 test sessions: starts Xvfb (1280 x 1024) on a display
# it chooses itself, waits until it answers, and exports DISPLAY; its
# process is $xvfb.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 & xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=:$(tr -d '[:space:]' <"$displayfile")
rm -f "$displayfile"
[ "$DISPLAY" != ":" ] || { echo "Xvfb did not start"; kill $xvfb 2>/dev/null; exit 1; }
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# Starts twm on that screen; its process is $wm. twm exits at once when its
# fonts (xfonts-base, xfonts-75dpi) are missing, and a window then stays
# unframed: that is a failure, not a pass.
start_twm() {
  twm >/dev/null 2>&1 & wm=$!
  sleep 0.5
  kill -0 "$wm" 2>/dev/null || { echo "twm did not start (are xfonts-base and xfonts-75dpi installed?)"; exit 1; }
}
