#!/usr/bin/env bash
# Installs what is needed, builds both targets and runs every test.
# Each stage in scripts/test-stages/ runs in order; the last line of output is
# the summary "N passed, N failed" over the stages.
set -uo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
export VL_JOBS=${VL_JOBS:-$(nproc)}

./scripts/install-deps.sh || { echo "0 passed, 1 failed"; exit 1; }
source scripts/lib/wine-env.sh
trap vl_stop_all_wine EXIT

passed=0
failed=0
failures=()
for stage in scripts/test-stages/*.sh; do
    name=$(basename "$stage" .sh)
    echo "=== $name"
    start=$SECONDS
    if bash "$stage"; then
        passed=$((passed + 1))
        echo "=== $name passed ($((SECONDS - start)) s)"
    else
        failed=$((failed + 1))
        failures+=("$name")
        echo "=== $name FAILED ($((SECONDS - start)) s)"
    fi
done

[ ${#failures[@]} -gt 0 ] && echo "failed stages: ${failures[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
