# Shared by the GUI test stage and the demo run: a Wine prefix whose Japanese
# dialog fonts resolve to the IPA fonts, and an Xvfb display of our own.
# Source after scripts/lib/wine-env.sh.

# Makes a fresh prefix at $1 for architecture $2 (x86 or x64) with the font
# replacements imported.
vl_gui_make_prefix() {
    local prefix=$1 arch=$2
    rm -rf "$prefix"
    mkdir -p "$prefix"
    WINEPREFIX=$prefix vl_wine --arch "$arch" wineboot -i >/dev/null 2>&1 || true
    local reg=$prefix/font-replacements.reg
    # regedit wants UTF-16LE with a byte-order mark.
    {
        printf '\xff\xfe'
        printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ 明朝"="IPAMincho"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n' |
            iconv -f UTF-8 -t UTF-16LE
    } >"$reg"
    WINEPREFIX=$prefix vl_wine regedit /S "$reg" >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
}

# Our Xvfb runs no window manager. Wine's X11 driver then waits two seconds,
# every time a managed window (a message box, say) closes, for a window
# manager to withdraw it; unmanaged windows close at once. For prefix $1, used
# on our own Xvfb only: on a desktop the window manager should manage them.
vl_gui_unmanaged_windows() {
    WINEPREFIX=$1 vl_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX=$1 wineserver -w
}

# Copies the template prefix $1 to $2 (a clean prefix per scenario).
vl_gui_copy_prefix() {
    rm -rf "$2"
    cp -a "$1" "$2"
}

# Starts Xvfb on a free display; sets DISPLAY and VL_XVFB_PID.
vl_gui_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

vl_gui_stop_xvfb() {
    if [ -n "${VL_XVFB_PID:-}" ]; then
        kill "$VL_XVFB_PID" 2>/dev/null || true
        wait "$VL_XVFB_PID" 2>/dev/null || true
        VL_XVFB_PID=
    fi
}
