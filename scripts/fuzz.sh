#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset for the given number of seconds
# (default 30), starting from the corpus kept in fuzz/corpus, with a fixed
# seed (BRIVO_FUZZ_SEED, default 1) so that a run can be repeated. A target
# that finds a fault prints its whole report and where its input is kept
# (build/fuzz/artifacts), and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
status=0
for fuzzer in build/fuzz/bin/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  work=$(mktemp -d)
  artifacts="build/fuzz/artifacts/$name"
  mkdir -p "$artifacts"
  cp -r "fuzz/corpus/$name/." "$work/corpus/" 2>/dev/null || mkdir -p "$work/corpus"
  echo "== fuzz $name (${seconds} s)"
  if "$fuzzer" -max_total_time="$seconds" -seed="${BRIVO_FUZZ_SEED:-1}" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    tail -n 3 "$work/log"
  else
    grep -v '^#' "$work/log" | tail -n 40
    echo "fuzz $name: fault found (see above); its input is kept in $artifacts/"
    status=1
  fi
  rm -rf "$work"
done
exit $status
