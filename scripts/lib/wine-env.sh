# Shared by the scripts that run Windows programs: which Windows architectures
# this host can run, the launcher every Wine call goes through, a GoogleTest run
# that must reach its end, and the clean-up that stops every prefix under
# build/ so no wineserver outlives a run. Brings the build helpers along.
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
VL_WINE="${VL_ROOT:-$PWD}/scripts/lib/vl-wine"
source "${VL_ROOT:-$PWD}/scripts/lib/build.sh"

# Runs a Windows program (or wineboot, regedit, reg, winepath) in $WINEPREFIX.
vl_wine() { "$VL_WINE" "$@"; }

# True when this host executes 32-bit x86 code: the 32-bit Wine loader is itself
# such a program, so starting it is the test (some hosts refuse every 32-bit ELF).
vl_host_runs_x86() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
vl_host_runs_x64() { /usr/lib/wine/wine64 --version >/dev/null 2>&1; }

# Chooses the architectures to run from VL_WINDOWS_ARCH (x86, x64, all or auto,
# the default: every one this host can execute). Sets VL_WINDOWS_ARCHS (those
# to run), VL_WINDOWS_UNRUNNABLE (those wanted that cannot run here) and
# VL_WINDOWS_UNRUNNABLE_REQUIRED=1 when one of those was asked for by name.
vl_choose_windows_archs() {
    local wanted required=1 arch
    case "${VL_WINDOWS_ARCH:-auto}" in
        x86 | x64) wanted=$VL_WINDOWS_ARCH ;;
        all) wanted="x86 x64" ;;
        auto) wanted="x86 x64" required=0 ;;
        *) echo "VL_WINDOWS_ARCH must be x86, x64, all or auto, not '$VL_WINDOWS_ARCH'" >&2; return 2 ;;
    esac
    VL_WINDOWS_ARCHS=
    VL_WINDOWS_UNRUNNABLE=
    VL_WINDOWS_UNRUNNABLE_REQUIRED=0
    for arch in $wanted; do
        if "vl_host_runs_$arch"; then
            VL_WINDOWS_ARCHS="${VL_WINDOWS_ARCHS:+$VL_WINDOWS_ARCHS }$arch"
        else
            VL_WINDOWS_UNRUNNABLE="${VL_WINDOWS_UNRUNNABLE:+$VL_WINDOWS_UNRUNNABLE }$arch"
            [ "$required" = 1 ] && VL_WINDOWS_UNRUNNABLE_REQUIRED=1
        fi
    done
    export VL_WINDOWS_ARCHS VL_WINDOWS_UNRUNNABLE VL_WINDOWS_UNRUNNABLE_REQUIRED
}

# The one line that says which architectures run here and which cannot.
vl_windows_archs_line() {
    local line="Windows architectures run: ${VL_WINDOWS_ARCHS:-none}"
    local arch
    for arch in $VL_WINDOWS_UNRUNNABLE; do
        line="$line; $arch NOT RUN: this host cannot execute its code"
    done
    echo "$line"
}

# Runs a GoogleTest program (through the launcher for .exe files) and passes only
# when the run reached its end both in its result file (a process that exits
# early with status 0 leaves none) and on its own output (whose last word is
# GoogleTest's "[  PASSED  ]" line: output lost on the way fails the run too).
#   vl_run_gtest RESULT.xml PROGRAM [ARGS...]
vl_run_gtest() {
    local result=$1 program=$2
    shift 2
    local name log status=0 resultArg=$result
    name=$(basename "$program")
    log=$result.log
    rm -f "$result" "$log"
    case "$program" in
        *.exe) resultArg=$(vl_wine winepath -w "$result" 2>/dev/null)
               vl_wine "$program" --gtest_output="xml:$resultArg" "$@" 2>&1 | tee "$log" || status=${PIPESTATUS[0]} ;;
        *) "$program" --gtest_output="xml:$result" "$@" 2>&1 | tee "$log" || status=${PIPESTATUS[0]} ;;
    esac
    if [ "$status" -ne 0 ]; then
        echo "$name: exit status $status" >&2
        return 1
    fi
    if [ ! -f "$result" ]; then
        echo "$name exited with 0 before its last test (no result file)" >&2
        return 1
    fi
    if ! grep -qE '<testsuites tests="[1-9][0-9]*" failures="0" disabled="[0-9]+" errors="0"' "$result"; then
        echo "$name: the result file reports failures or no tests" >&2
        return 1
    fi
    if ! tr -d '\r' <"$log" | grep -qE '^\[  PASSED  \] [0-9]+ tests?\.$'; then
        echo "$name: its output ends before GoogleTest's final line (output lost)" >&2
        return 1
    fi
}

vl_stop_all_wine() {
    local reg
    for reg in "${VL_ROOT:-$PWD}"/build/*/wineprefix*/system.reg "${VL_ROOT:-$PWD}"/build/*/*/wineprefix*/system.reg; do
        [ -f "$reg" ] || continue
        WINEPREFIX=$(dirname "$reg") wineserver -k >/dev/null 2>&1 || true
    done
}
