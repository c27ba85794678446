#!/usr/bin/env bash
# Builds everything and runs the main job on the demo package: packs the four
# IPA fonts into out/demo/FONTDATA, verifies it and shows its catalogue, then
# places VellInstaller.exe beside it and runs the installer under Wine: on the
# user's display when there is one, otherwise under its own Xvfb, walking the
# wizard automatically and saving a screenshot of each page. Last, it lists the
# installed fonts and their registry values.
set -euo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
./scripts/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$(nproc)"

vellfont=build/native/tools/vellfont/vellfont
out=out/demo/FONTDATA
rm -rf "$out"
"$vellfont" pack demo/manifest.txt "$out"
"$vellfont" verify "$out"
"$vellfont" inspect "$out"

# The Windows program, beside its FONTDATA.
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
cmake --build build/win32 -j "$(nproc)" --target VellInstaller vl_demo_walker
cp build/win32/app/VellInstaller.exe out/demo/

source scripts/lib/wine-env.sh
source tests/ui/gui_env.sh
prefix=$PWD/build/demo/wineprefix-demo
VL_XVFB_PID=
finish() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    vl_gui_stop_xvfb
}
trap finish EXIT
echo "--- preparing a Wine prefix with the Japanese dialog fonts ($prefix)"
vl_gui_make_prefix "$prefix"
export WINEPREFIX=$prefix

if [ -z "${CI:-}" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "--- starting the installer on $DISPLAY; walk through the wizard, then close it"
    wine out/demo/VellInstaller.exe || true
    wineserver -w
else
    echo "--- no display: walking the wizard under Xvfb"
    vl_gui_unmanaged_windows "$prefix"
    vl_gui_start_xvfb
    shots=$PWD/out/demo/screenshots
    rm -rf "$shots"
    mkdir -p "$shots"
    VL_INSTALLER_EXE=$(winepath -w out/demo/VellInstaller.exe) VL_SCREENSHOT_DIR=$shots \
        VL_SCREENSHOT_SCRIPT=$PWD/tests/ui/screenshot.sh \
        wine build/win32/tests/ui/vl_demo_walker.exe "$(winepath -w out/demo/wizard-log.txt)"
    echo "--- the summary and the installation log"
    iconv -f CP932 -t UTF-8 out/demo/wizard-log.txt | tr -d '\r'
    echo "--- screenshots of every page: $shots"
    ls "$shots"
fi

echo "--- installed fonts in C:\\windows\\Fonts"
fonts=$prefix/drive_c/windows/Fonts
for source in /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf \
    /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf; do
    name=$(basename "$source")
    if [ -f "$fonts/$name" ]; then
        same=$(cmp -s "$fonts/$name" "$source" && echo "identical to $source" || echo "DIFFERS from $source")
        echo "$name  $(stat -c %s "$fonts/$name") bytes, $same"
    else
        echo "$name  not installed"
    fi
done
echo "--- their registry values (HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts)"
wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' 2>/dev/null |
    iconv -f CP932 -t UTF-8 | tr -d '\r' | grep -E 'REG_SZ +ipa[a-z]*\.ttf$' || echo "(none)"
