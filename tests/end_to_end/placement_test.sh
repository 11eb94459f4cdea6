#!/usr/bin/env bash
# The real window under a real window manager (twm on Xvfb, 1280 x 1024):
# - with no saved position, its outer frame, title bar included, is centred;
# - a saved position is the frame's, even when a settings box was shown
#   first, and it is saved back unchanged;
# - from the bottom right corner, and at double scale, the copy check, the
#   course and the help open inside the screen.
# Skipped (77) when the X tools are missing.
set -u
brivo=$(realpath "$1")
for tool in Xvfb twm xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
. "$(dirname "$0")/xvfb.sh"
trap 'kill $app $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
app=0 wm=0
start_twm
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
settings=$work/config/ZORVANE/BRIVO.reg
failed=0

start() {
  cd "$work" || exit 1
  XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${scale:-1} "$brivo" \
    >/dev/null 2>&1 & app=$!
}

# The id of the first window whose name starts with $1, waited for.
window() {
  local id=
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# "x y width height" of the frame twm drew around window $1, once framed.
frame() {
  local parent=
  for _ in $(seq 100); do
    parent=$(xwininfo -tree -id "$1" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    [ "$parent" != "$root" ] && break
    sleep 0.1
  done
  [ "$parent" != "$root" ] || { echo "never framed"; return; }
  xwininfo -id "$parent" | awk -F: '
    /Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
    /Width/ {w=$2} /Height/ {h=$2} /Border width/ {b=$2}
    END {printf "%d %d %d %d\n", x, y, w + 2 * b, h + 2 * b}'
}

check() { # what, condition
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}

# The program places itself once framed: the frame of window $1 is read
# again until condition $3 holds of x, y, w and h, for up to 10 s.
check_frame() { # what, window, condition
  for _ in $(seq 100); do
    read -r x y w h <<<"$(frame "$2")"
    eval "$3" && break
    sleep 0.1
  done
  check "$1: frame ${w}x${h} at ($x, $y)" "$3"
}

stop() {
  kill "$app"; wait "$app" 2>/dev/null
}

# No saved position: centred.
start
main=$(window " BRIVO v")
check_frame centred "$main" '[ "$x" -eq $(( (1280 - w) / 2 )) ] && [ "$y" -eq $(( (1024 - h) / 2 )) ]'
stop

# A saved position and a value that gives a box at start.
mkdir -p "$(dirname "$settings")"
printf '"X_origine"=dword:00000064\n"Y_origine"=dword:00000064\n"Frequence"="aigu"\n' >"$settings"
start
box=$(window "brivo")
# Keys in a command of their own (see atspi_probe.py): chained after a
# window, xdotool may send a release to that window alone.
[ -n "$box" ] && xdotool windowfocus --sync "$box" && xdotool key Return
main=$(window " BRIVO v")
check_frame "saved position after a box" "$main" '[ "$x" -eq 100 ] && [ "$y" -eq 100 ]'
stop
check "the saved position is kept" "grep -q '\"X_origine\"=dword:00000064' '$settings' && grep -q '\"Y_origine\"=dword:00000064' '$settings'"

# The trainer at the bottom right, then at double scale: its other windows
# stay on the screen.
for scale in 1 2; do
  if [ "$scale" = 1 ]; then
    printf '"X_origine"=dword:%08x\n"Y_origine"=dword:%08x\n' $((1280 - w)) $((1024 - h)) >"$settings"
  else
    rm -f "$settings"
  fi
  start
  main=$(window " BRIVO v")
  frame "$main" >/dev/null
  for shortcut in ctrl+k ctrl+l F1; do
    xdotool windowfocus --sync "$main" && xdotool key "$shortcut"
  done
  for title in "Contrôle de la copie" "Cours Koch" " Aide du programme"; do
    check_frame "scale $scale, $title inside" "$(window "$title")" \
      '[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ]'
  done
  stop
done
exit $failed
