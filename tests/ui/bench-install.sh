#!/usr/bin/env bash
# Installation benchmark (not a test): the demo package installed into
# C:\windows\Fonts from the wizard, from the command line (vellfont.exe
# install) and by plain copying of the same four font files, alternating in one
# run under Wine and Xvfb. Prints each round and the medians with their ratios.
# Usage: tests/ui/bench-install.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
export VL_ROOT=$PWD
rounds=${1:-3}
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$(nproc)" --target vellfont
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
cmake --build build/win32 -j "$(nproc)" --target VellInstaller vl_demo_walker vellfont

source scripts/lib/wine-env.sh
source tests/ui/gui_env.sh
work=$PWD/build/bench-install
prefix=$work/wineprefix-bench
finish() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    vl_gui_stop_xvfb
}
trap finish EXIT
rm -rf "$work"
mkdir -p "$work"
build/native/tools/vellfont/vellfont pack demo/manifest.txt "$work/FONTDATA" >/dev/null
cp build/win32/app/VellInstaller.exe "$work/"
vl_gui_make_prefix "$prefix"
vl_gui_unmanaged_windows "$prefix"
export WINEPREFIX=$prefix
vl_gui_start_xvfb

sources=
for f in ipafont-gothic/ipag.ttf ipafont-gothic/ipagp.ttf ipafont-mincho/ipam.ttf ipafont-mincho/ipamp.ttf; do
    sources="$sources$(winepath -w "/usr/share/fonts/opentype/$f");"
done
echo "sizes: $(du -cb /usr/share/fonts/opentype/ipafont-*/ipa*.ttf | tail -1 | cut -f1) bytes of fonts; machine load: $(cut -d' ' -f1-3 /proc/loadavg)"
VL_INSTALLER_EXE=$(winepath -w "$work/VellInstaller.exe") VL_BENCH_SOURCES=$sources \
    VL_BENCH_VELLFONT=$(winepath -w build/win32/tools/vellfont/vellfont.exe) \
    VL_BENCH_FONTDATA=$(winepath -w "$work/FONTDATA") \
    wine build/win32/tests/ui/vl_demo_walker.exe --bench "$rounds" | grep -E '^(round|median)'
