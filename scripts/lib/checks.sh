# Shared by the Windows stages that check what a run left behind (source it):
# `check DESCRIPTION CONDITION...` runs the condition, says ok or FAILED and
# counts the failures; a stage ends with `[ "$failures" -eq 0 ]`.
failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# `vl_stage_work FOLDER`: a fresh work folder (sets work) with a prefix of its
# own, stopped when the stage ends, and the demo package packed in it as FONTDATA.
vl_stage_work() {
    work=$PWD/$1
    export WINEPREFIX=$work/wineprefix
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    rm -rf "$work"
    mkdir -p "$work"
    build/native/tools/vellfont/vellfont pack demo/manifest.txt "$work/FONTDATA" >/dev/null
}
