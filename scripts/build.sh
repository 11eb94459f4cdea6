#!/usr/bin/env bash
# Configures (once) and builds one CMake preset: dev (default), asan or fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-dev}
[ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
