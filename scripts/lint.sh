#!/usr/bin/env bash
# Checks formatting (clang-format) and runs clang-tidy, warnings as errors,
# on the project's sources, using the dev build's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh dev >/dev/null
files=$(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror $files
run-clang-tidy -p build/dev -quiet $(git ls-files 'src/*.cpp' 'cli/*.cpp') >/tmp/brivo-tidy.log 2>&1 || { grep -E 'error:|warning:' /tmp/brivo-tidy.log; exit 1; }
echo "lint: ok"
