#!/usr/bin/env bash
# BRIVO's export beside public tools doing the same job, in turns
# (ours, theirs, ours...), each run's wall time and peak memory from GNU
# time, then the medians and their ratio:
#  - MP3: the 2,160-character exercise at 12 words per minute, 11025 Hz,
#    against ebook2cw on the same text;
#  - FLAC at 48 kHz: against rendering the WAV then encoding it with
#    ffmpeg.
# ebook2cw and ffmpeg are installed from Debian when missing.
# Usage: export_vs_tools.sh BRIVO_RENDER EXPORT_BENCHMARK [RUNS]
set -euo pipefail
render=$(realpath "$1")
benchmark=$(realpath "$2")
runs=${3:-5}

missing=()
command -v ebook2cw >/dev/null 2>&1 || missing+=(ebook2cw)
command -v ffmpeg >/dev/null 2>&1 || missing+=(ffmpeg)
[ -x /usr/bin/time ] || missing+=(time)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$benchmark" --write-exercise "$work/exercise.txt"
mkdir -p "$work/home" # ebook2cw writes its configuration into HOME

# One run: "SECONDS KIB" on stdout.
measure() {
  if ! /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/errors"; then
    echo "failed: $*" >&2
    cat "$work/errors" >&2
    exit 1
  fi
  tail -1 "$work/time"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

compare() {
  local name=$1 ours=$2 theirs=$3
  : >"$work/a"
  : >"$work/b"
  for _ in $(seq "$runs"); do
    (cd "$work" && measure sh -c "$ours") >>"$work/a"
    (cd "$work" && HOME="$work/home" measure sh -c "$theirs") >>"$work/b"
  done
  local a b am bm
  a=$(cut -d' ' -f1 "$work/a" | median)
  b=$(cut -d' ' -f1 "$work/b" | median)
  am=$(cut -d' ' -f2 "$work/a" | median)
  bm=$(cut -d' ' -f2 "$work/b" | median)
  awk -v n="$name" -v a="$a" -v b="$b" -v am="$am" -v bm="$bm" 'BEGIN {
    printf "%-38s BRIVO %6.2f s %6.1f MiB | other %6.2f s %6.1f MiB | ratio %.2f\n", n, a, am / 1024, b, bm / 1024, a / b }'
}

echo "== export beside other tools (medians of $runs runs each, in turns)"
compare "MP3, 12 WPM, 11025 Hz vs ebook2cw" \
  "$render --wpm 12 --rate 11025 --seed 1 -o brivo.mp3 --input exercise.txt" \
  "ebook2cw -w 12 -s 11025 -o ebook2cw exercise.txt"
compare "FLAC, 12 WPM, 48 kHz vs WAV + ffmpeg" \
  "$render --wpm 12 --rate 48000 --seed 1 -o brivo.flac --input exercise.txt" \
  "$render --wpm 12 --rate 48000 --seed 1 -o plain.wav --input exercise.txt && ffmpeg -loglevel quiet -y -i plain.wav -c:a flac ffmpeg.flac"
for rate in 11025 48000; do
  (cd "$work" && measure "$render" --wpm 12 --rate "$rate" --seed 1 --speak -o answers.mp3 --input exercise.txt) |
    awk -v r="$rate" '{ printf "MP3 with spoken answers, %5d Hz:          BRIVO %6.2f s %6.1f MiB\n", r, $1, $2 / 1024 }'
done
