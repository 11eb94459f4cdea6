#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite in
# the dev build, again under the address and undefined-behaviour sanitizers,
# the tests with threads (player, live keying, sound-server loss, export)
# under the thread sanitizer, then each fuzz target for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

scripts/build.sh dev
ctest --preset dev -j2

scripts/build.sh asan
ctest --preset asan -j2

scripts/build.sh tsan
ctest --preset tsan -j2

scripts/build.sh fuzz
scripts/fuzz.sh "${BRIVO_FUZZ_SECONDS:-30}"
