#!/usr/bin/env bash
# Runs every test binary of a build whole, in one process each, with its
# tests in a random order: a test that leaves the runtime, a class or the
# device changed for the tests after it fails here, although CTest (one
# process per test) would never see it. The seed of each run is printed;
# `BINARY --gtest_shuffle --gtest_random_seed=SEED` repeats an order.
#   scripts/shuffle-tests.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?build folder}" && pwd)
export IGTARVO_BUILD=$build

failed=()
for binary in "$build"/bin/tests_*; do
  name=${binary##*/}
  log=$build/shuffle-$name.log
  started=$SECONDS
  if "$binary" --gtest_shuffle >"$log" 2>&1; then
    echo "shuffle $name: $(grep -o 'seed of [0-9]*' "$log" | head -1), passed in $((SECONDS - started)) s"
  else
    echo "shuffle $name: FAILED with $(grep -o 'seed of [0-9]*' "$log" | head -1) (see $log)"
    grep '^\[  FAILED  \]' "$log" | sort -u | sed 's/^/  /'
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "shuffle: ${#failed[@]} binary(ies) failed: ${failed[*]}"
  exit 1
fi
