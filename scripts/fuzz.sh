#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for a number of seconds each,
# starting from its seed corpus in fuzz/corpus/<name>. New inputs go to the
# build folder, never into the repository; a crash, a hang or a leak is kept
# in <build>/fuzz-artifacts/<name>/ and fails the run.
#   scripts/fuzz.sh BUILD_DIR SECONDS
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?build folder}
seconds=${2:-60}

failed=()
for target in "$build"/bin/fuzz_*; do
  name=${target##*/fuzz_}
  seeds=fuzz/corpus/$name
  work=$build/fuzz-corpus/$name
  artifacts=$build/fuzz-artifacts/$name
  mkdir -p "$work" "$artifacts"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/")
  # A link scan also covers the input repeated to 64 KiB: anything slower
  # than linear there takes seconds.
  [ "$name" = link_scanner ] && options+=(-timeout=3)
  log=$build/fuzz-$name.log
  if "$target" "${options[@]}" "$work" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ${runs:-?} inputs in ${seconds}s, no failure"
  else
    echo "fuzz $name: FAILED (see $log; input in $artifacts)"
    grep -m3 -E 'ERROR|runtime error|check failed|SUMMARY' "$log" | sed 's/^/  /'
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: ${#failed[@]} target(s) failed: ${failed[*]}"
  exit 1
fi
