#!/usr/bin/env bash
# Installation benchmark (not a test): the demo package installed into
# C:\windows\Fonts from the wizard (from OK on the confirmation to the summary
# box), from the command line (vellfont.exe install) and by the reference
# program (bench/reference_install.cpp: the same four ready font files copied,
# loaded and registered as the system's own font install does, with one
# font-change notice), each a fresh process in the same prefix, alternating in
# one run under Wine and Xvfb. Prints each round and the medians with their
# ratios to the reference. scripts/bench-install-native.sh is the native
# counterpart.
# It measures the 32-bit product where this host runs 32-bit code, else the
# 64-bit build; VL_WINDOWS_ARCH=x86|x64 chooses.
# Usage: scripts/bench-install.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
rounds=${1:-5}
source scripts/lib/wine-env.sh
source scripts/lib/gui-env.sh
vl_choose_windows_archs
arch=${VL_WINDOWS_ARCHS%% *}
if [ -z "$arch" ] || [ "$VL_WINDOWS_UNRUNNABLE_REQUIRED" = 1 ]; then
    echo "bench-install: $(vl_windows_archs_line)" >&2
    exit 1
fi
build=$(vl_windows_build_dir "$arch")
# VL_BENCH_NO_BUILD=1 measures the trees as they are; VL_BENCH_INSTALLER_EXE
# and VL_BENCH_VELLFONT_EXE name other builds of the two programs to time (a
# build of earlier code, say).
if [ "${VL_BENCH_NO_BUILD:-0}" != 1 ]; then
    vl_build_native vellfont
    vl_build_windows "$arch" VellInstaller vl_demo_walker vellfont reference_install
fi

work=$PWD/$build/bench-install
prefix=$work/wineprefix-bench
finish() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    vl_gui_stop_xvfb
}
trap finish EXIT
rm -rf "$work"
mkdir -p "$work"
build/native/tools/vellfont/vellfont pack demo/manifest.txt "$work/FONTDATA" >/dev/null
cp "${VL_BENCH_INSTALLER_EXE:-$build/app/VellInstaller.exe}" "$work/VellInstaller.exe"
vl_gui_make_prefix "$prefix" "$arch"
vl_gui_unmanaged_windows "$prefix"
export WINEPREFIX=$prefix
vl_gui_start_xvfb
echo "the $arch build"

# The ready fonts lie beside the package, on the same disk.
mkdir -p "$work/ready"
sources=
for f in ipafont-gothic/ipag.ttf ipafont-gothic/ipagp.ttf ipafont-mincho/ipam.ttf ipafont-mincho/ipamp.ttf; do
    cp "/usr/share/fonts/opentype/$f" "$work/ready/"
    sources="$sources$(vl_wine winepath -w "$work/ready/$(basename "$f")");"
done
echo "sizes: $(du -cb /usr/share/fonts/opentype/ipafont-*/ipa*.ttf | tail -1 | cut -f1) bytes of fonts; machine load: $(cut -d' ' -f1-3 /proc/loadavg)"
VL_INSTALLER_EXE=$(vl_wine winepath -w "$work/VellInstaller.exe") VL_BENCH_SOURCES=$sources \
    VL_BENCH_VELLFONT=$(vl_wine winepath -w "${VL_BENCH_VELLFONT_EXE:-$build/tools/vellfont/vellfont.exe}") \
    VL_BENCH_FONTDATA=$(vl_wine winepath -w "$work/FONTDATA") \
    VL_BENCH_REFERENCE=$(vl_wine winepath -w "$build/bench/reference_install.exe") \
    vl_wine "$build/tests/ui/vl_demo_walker.exe" --bench "$rounds" | grep -E '^(round|median)'
