#!/usr/bin/env bash
# The installer's real windows (the VL_ARCH build) under Wine and Xvfb:
# window-level unit tests, then the GUI driver, which starts VellInstaller.exe
# and walks its wizard. Screenshots of every page go to out/screenshots/VL_ARCH/.
# Each suite passes only when it runs to its end. The stage stops its Wine
# prefixes and its Xvfb (by process id) before it returns.
set -euo pipefail
source scripts/lib/wine-env.sh
source scripts/lib/gui-env.sh

vl_build_native vellfont
vl_build_windows "$VL_ARCH" VellInstaller vl_gui_tests vl_ui_unit_tests
build=$(vl_windows_build_dir "$VL_ARCH")

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
    vl_gui_make_prefix "$template" "$VL_ARCH"
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
VL_INSTALLER_EXE=$(vl_wine winepath -w "$build/app/VellInstaller.exe")
mkdir -p "out/screenshots/$VL_ARCH"
export VL_SCREENSHOT_DIR=$PWD/out/screenshots/$VL_ARCH
export VL_SCREENSHOT_SCRIPT=$PWD/tests/ui/screenshot.sh

status=0
vl_run_gtest "$gui/ui-unit.xml" "$build/tests/ui/vl_ui_unit_tests.exe" || status=1
vl_run_gtest "$gui/gui.xml" "$build/tests/ui/vl_gui_tests.exe" || status=1
exit $status
