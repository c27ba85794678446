#!/usr/bin/env bash
# Builds everything and runs the main job on the demo package: packs the four
# IPA fonts into out/demo/FONTDATA, verifies it and shows its catalogue, then
# places VellInstaller.exe beside it and runs the installer under Wine: on the
# user's display when there is one, otherwise under its own Xvfb, walking the
# wizard automatically and saving a screenshot of each page. Last, it lists the
# installed fonts and their registry values.
# The Windows build run is the 32-bit product where this host executes 32-bit
# code, else the 64-bit one; VL_WINDOWS_ARCH=x86|x64|all chooses instead.
set -euo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
./scripts/install-deps.sh
source scripts/lib/wine-env.sh
source scripts/lib/gui-env.sh
vl_choose_windows_archs
vl_windows_archs_line
if [ -z "$VL_WINDOWS_ARCHS" ] || [ "$VL_WINDOWS_UNRUNNABLE_REQUIRED" = 1 ]; then
    echo "run-demo: the Windows build asked for cannot run on this host" >&2
    exit 1
fi
archs=$VL_WINDOWS_ARCHS
[ "${VL_WINDOWS_ARCH:-auto}" = auto ] && archs=${VL_WINDOWS_ARCHS%% *}
vl_build_native

vellfont=build/native/tools/vellfont/vellfont
out=out/demo/FONTDATA
rm -rf "$out"
"$vellfont" pack demo/manifest.txt "$out"
"$vellfont" verify "$out"
"$vellfont" inspect "$out"

VL_XVFB_PID=
prefix=
finish() {
    [ -z "$prefix" ] || WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    vl_gui_stop_xvfb
}
trap finish EXIT

for arch in $archs; do
    echo "=== the $arch build of VellInstaller.exe"
    build=$(vl_windows_build_dir "$arch")
    vl_build_windows "$arch" VellInstaller vl_demo_walker
    # The Windows program, beside its FONTDATA.
    cp "$build/app/VellInstaller.exe" out/demo/

    [ -z "$prefix" ] || WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    prefix=$PWD/build/demo/wineprefix-$arch
    echo "--- preparing a Wine prefix with the Japanese dialog fonts ($prefix)"
    vl_gui_make_prefix "$prefix" "$arch"
    export WINEPREFIX=$prefix

    if [ -z "${CI:-}" ] && [ -n "${DISPLAY:-}" ] && [ -z "$VL_XVFB_PID" ] && xdpyinfo >/dev/null 2>&1; then
        echo "--- starting the installer on $DISPLAY; walk through the wizard, then close it"
        vl_wine out/demo/VellInstaller.exe || true
        wineserver -w
    else
        echo "--- no display: walking the wizard under Xvfb"
        vl_gui_unmanaged_windows "$prefix"
        [ -n "$VL_XVFB_PID" ] || vl_gui_start_xvfb
        shots=$PWD/out/demo/screenshots/$arch
        rm -rf "$shots"
        mkdir -p "$shots"
        VL_INSTALLER_EXE=$(vl_wine winepath -w out/demo/VellInstaller.exe) VL_SCREENSHOT_DIR=$shots \
            VL_SCREENSHOT_SCRIPT=$PWD/tests/ui/screenshot.sh \
            vl_wine "$build/tests/ui/vl_demo_walker.exe" "$(vl_wine winepath -w out/demo/wizard-log.txt)"
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
    vl_wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' 2>/dev/null |
        iconv -f CP932 -t UTF-8 | tr -d '\r' | grep -E 'REG_SZ +ipa[a-z]*\.ttf$' || echo "(none)"
done
