# Shared by the scripts that run Windows programs: the Wine environment and the
# clean-up that stops every prefix under build/ so no wineserver outlives a run.
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="

vl_stop_all_wine() {
    local reg
    for reg in "${VL_ROOT:-$PWD}"/build/*/wineprefix*/system.reg "${VL_ROOT:-$PWD}"/build/*/*/wineprefix*/system.reg; do
        [ -f "$reg" ] || continue
        WINEPREFIX=$(dirname "$reg") wineserver -k >/dev/null 2>&1 || true
    done
}
