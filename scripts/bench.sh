#!/usr/bin/env bash
# Builds and runs the benchmarks; the render one writes its files to the
# current folder (or BRIVO_BENCH_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" dev >/dev/null
"$here/build/dev/bench/render_benchmark" "$@"
