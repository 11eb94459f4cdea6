#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset for the given number of seconds
# (default 30), starting from the corpus kept in fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
for fuzzer in build/fuzz/bin/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "== fuzz $name (${seconds} s)"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
done
