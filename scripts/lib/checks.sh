# Shared by the Windows stages that check what a run left behind (source it):
# `check DESCRIPTION CONDITION...` runs the condition, says ok or FAILED and
# counts the failures; a stage ends with `[ "$failures" -eq 0 ]`.
failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
