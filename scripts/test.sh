#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite in
# the dev build, again under the address and undefined-behaviour sanitizers,
# the tests of the player's device thread (the real SDL output) and of the
# export's workers under the thread sanitizer, the Debian package from the
# release build, the formatting and clang-tidy checks, then each fuzz
# target for a short while. (The window tests stay out of the thread
# sanitizer: Debian's Qt is not built with it, so every hand-over through
# its event queue would be reported as a race.)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

scripts/build.sh dev
ctest --preset dev -j2

scripts/build.sh asan
ctest --preset asan -j2

scripts/build.sh tsan
ctest --preset tsan -j2

# The package as the README makes it: the release preset, then CPack.
scripts/build.sh release
bash tests/end_to_end/package_test.sh build/release

scripts/lint.sh

scripts/build.sh fuzz
scripts/fuzz.sh "${BRIVO_FUZZ_SECONDS:-30}"
