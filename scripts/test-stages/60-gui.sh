#!/usr/bin/env bash
# The installer's real windows under Wine and Xvfb: window-level unit tests, then
# the GUI driver, which starts VellInstaller.exe and walks its wizard. Screenshots
# of every page go to out/screenshots/. The stage stops its Wine prefixes and
# its Xvfb (by process id) before it returns.
set -euo pipefail
source scripts/lib/wine-env.sh
source tests/ui/gui_env.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$VL_JOBS" --target vellfont
build=build/win32
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
cmake --build $build -j "$VL_JOBS" --target VellInstaller vl_gui_tests vl_ui_unit_tests

gui=$PWD/$build/gui
template=$gui/wineprefix-template
prefix=$gui/wineprefix-run

cleanup() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$template wineserver -k >/dev/null 2>&1 || true
    vl_gui_stop_xvfb
}
trap cleanup EXIT

# The template (a fresh prefix with the font replacements and unmanaged
# windows) is made once per build tree.
if ! grep -qa 'Fonts\\\\Replacements' "$template/user.reg" 2>/dev/null ||
    ! grep -qa '"Managed"="N"' "$template/user.reg"; then
    vl_gui_make_prefix "$template"
    vl_gui_unmanaged_windows "$template"
fi
vl_gui_copy_prefix "$template" "$prefix"

# The packages the installation tests install, packed from free fonts; the
# second one's middle font is cut short.
packages=$gui/packages
rm -rf "$packages"
for name in small mixed outside; do
    build/native/tools/vellfont/vellfont pack "tests/ui/packages/$name.txt" "$packages/$name" >/dev/null
done
size=$(stat -c %s "$packages/mixed/vlbroken.cmp")
truncate -s $((size / 2)) "$packages/mixed/vlbroken.cmp"
export VL_TEST_PACKAGES=$packages
vl_gui_start_xvfb

export WINEPREFIX=$prefix
export VL_INSTALLER_EXE
VL_INSTALLER_EXE=$(winepath -w "$build/app/VellInstaller.exe")
mkdir -p out/screenshots
export VL_SCREENSHOT_DIR=$PWD/out/screenshots
export VL_SCREENSHOT_SCRIPT=$PWD/tests/ui/screenshot.sh

status=0
wine "$build/tests/ui/vl_ui_unit_tests.exe" || status=1
wine "$build/tests/ui/vl_gui_tests.exe" || status=1
exit $status
