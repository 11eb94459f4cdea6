#!/usr/bin/env bash
# Rewrites the golden files of tests/data/golden from the current code. Run
# it after a deliberate change of a golden output, then read the diff
# (git diff tests/data/golden) before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh dev
BRIVO_REGENERATE_GOLDEN=1 ctest --preset dev -R 'Golden' --output-on-failure
git status --short tests/data/golden
