#!/usr/bin/env bash
# Builds and runs the benchmarks:
#  - render throughput beside the raw write speed of the same bytes (it
#    writes about 300 MB several times into the current folder, or
#    BRIVO_BENCH_DIR);
#  - the sidetone's latency, edge to sound, on SDL's dummy driver;
#  - live keying latency on SDL's dummy driver, then on a PulseAudio null
#    sink that this script starts on a private socket (pulseaudio is
#    installed if missing) and stops afterwards;
#  - the sending decoder against simulated fists;
#  - the copy check of a 5,000-character exercise;
#  - exporting the 2,160-character exercise to MP3, and every format at
#    48 kHz against real time, with the peak memory; then the MP3 export
#    beside ebook2cw and the FLAC export beside a WAV render encoded by
#    ffmpeg (both installed from Debian when missing), in turns;
#  - opening RTF files of 1, 4 and 16 MB in the edit zone;
#  - the player's memory with a 1 GiB file, idle and playing;
#  - start-up to the shown window and the memory held once idle, offscreen
#    and on an X server (Xvfb).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" dev >/dev/null

"$here/build/dev/bin/render_benchmark"

echo "== decoder against simulated fists"
"$here/build/dev/bin/fist_decoder"

echo "== copy check"
"$here/build/dev/bin/check_benchmark"
(cd "${BRIVO_BENCH_DIR:-.}" && "$here/build/dev/bin/export_benchmark")
"$here/bench/export_vs_tools.sh" "$here/build/dev/bin/brivo-render" "$here/build/dev/bin/export_benchmark"

echo "== opening large RTF files"
QT_QPA_PLATFORM=offscreen "$here/build/dev/bin/rtf_open_benchmark"

echo "== start-up"
"$here/build/dev/bin/startup_benchmark"
xvfb-run -a env QT_QPA_PLATFORM=xcb "$here/build/dev/bin/startup_benchmark"

echo "== player memory"
SDL_AUDIODRIVER=dummy "$here/build/dev/bin/player_memory" 1024

echo "== sidetone latency"
SDL_AUDIODRIVER=dummy "$here/build/dev/bin/sidetone_latency" 1000

echo "== live keying latency"
SDL_AUDIODRIVER=dummy "$here/build/dev/bin/live_latency" 50

if ! command -v pulseaudio >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends pulseaudio >/dev/null
fi
runtime=$(mktemp -d)
PULSE_RUNTIME_PATH=$runtime pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  -L "module-null-sink sink_name=brivo_bench" \
  -L "module-native-protocol-unix socket=$runtime/native auth-anonymous=1" >"$runtime/log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do [ -S "$runtime/native" ] && break; sleep 0.1; done
PULSE_SERVER=unix:$runtime/native SDL_AUDIODRIVER=pulseaudio "$here/build/dev/bin/live_latency" 50
