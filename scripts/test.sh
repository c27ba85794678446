#!/usr/bin/env bash
# Installs what is needed, builds every target and runs every test.
# Each stage in scripts/test-stages/ runs in order; a stage named NN-windows-*
# runs once for each Windows architecture this host executes (VL_ARCH=x86 or
# x64; VL_WINDOWS_ARCH=x86|x64|all|auto chooses, auto by default). The last two
# lines are the Windows architectures that ran (and any that cannot run here)
# and the summary "N passed, N failed" over the stage runs.
set -uo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
export VL_JOBS=${VL_JOBS:-$(nproc)}

./scripts/install-deps.sh || { echo "0 passed, 1 failed"; exit 1; }
source scripts/lib/wine-env.sh
trap vl_stop_all_wine EXIT
vl_choose_windows_archs || { echo "0 passed, 1 failed"; exit 1; }
echo "$(vl_windows_archs_line)"

passed=0
failed=0
failures=()
run_stage() {  # run_stage SCRIPT LABEL
    echo "=== $2"
    local start=$SECONDS
    if bash "$1"; then
        passed=$((passed + 1))
        echo "=== $2 passed ($((SECONDS - start)) s)"
    else
        failed=$((failed + 1))
        failures+=("$2")
        echo "=== $2 FAILED ($((SECONDS - start)) s)"
    fi
}
for stage in scripts/test-stages/*.sh; do
    name=$(basename "$stage" .sh)
    case "$name" in
        [0-9]*-windows-*)
            for arch in $VL_WINDOWS_ARCHS; do export VL_ARCH=$arch; run_stage "$stage" "$name [$arch]"; done ;;
        *) run_stage "$stage" "$name" ;;
    esac
done

# An architecture asked for by name that cannot run here is a failure; one that
# auto left out is stated above the summary, never counted as passed.
if [ -z "$VL_WINDOWS_ARCHS" ] || [ "$VL_WINDOWS_UNRUNNABLE_REQUIRED" = 1 ]; then
    failed=$((failed + 1))
    failures+=("windows (${VL_WINDOWS_UNRUNNABLE:-none} cannot run here)")
fi
[ ${#failures[@]} -gt 0 ] && echo "failed stages: ${failures[*]}"
vl_windows_archs_line
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
