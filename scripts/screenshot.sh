#!/usr/bin/env bash
# Takes a screenshot of the real BRIVO window under Xvfb, with a sample text
# typed in, into docs/brivo-window.png (or the file given), and one of the
# Koch course window (Ctrl+L) beside it, into docs/brivo-course.png. The window runs
# in French (LANG=fr_FR.UTF-8) unless LANG_FOR_SCREENSHOT names another.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/docs/brivo-window.png}
"$here/scripts/setup.sh"
missing=()
for tool in import:imagemagick xdotool:xdotool; do
  command -v "${tool%%:*}" >/dev/null 2>&1 || missing+=("${tool##*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
"$here/scripts/build.sh" dev >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_AUDIODRIVER=dummy
export LANG=${LANG_FOR_SCREENSHOT:-fr_FR.UTF-8} LC_ALL=${LANG_FOR_SCREENSHOT:-fr_FR.UTF-8}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$0" & app=$!
  for _ in $(seq 50); do
    id=$(xdotool search --name "BRIVO v" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  sleep 1
  xdotool mousemove --window "$id" 300 100 click 1
  xdotool type --delay 20 "CQ CQ DE F6XYZ PSE K"
  sleep 0.5
  import -window "$id" "$1"
  xdotool key ctrl+l
  sleep 1
  course=$(xdotool search --name "^Cours Koch$" | head -n 1)
  import -window "$course" "$2"
  kill $app
' "$here/build/dev/bin/brivo" "$out" "$(dirname "$out")/brivo-course.png"
echo "Captures : $out, $(dirname "$out")/brivo-course.png"
