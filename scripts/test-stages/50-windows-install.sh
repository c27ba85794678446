#!/usr/bin/env bash
# vellfont.exe install (the VL_ARCH build) under Wine on the packed demo
# package, in a fresh prefix: a first install, a refused second one, an
# unusable FONTDATA and a package with one corrupt .cmp file.
set -euo pipefail
source scripts/lib/wine-env.sh

vl_build_native vellfont
vl_build_windows "$VL_ARCH" vellfont
build=$(vl_windows_build_dir "$VL_ARCH")

work=$PWD/$build/wine-install
export WINEPREFIX=$work/wineprefix
stop_prefix() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_prefix EXIT

rm -rf "$work"
mkdir -p "$work"
build/native/tools/vellfont/vellfont pack demo/manifest.txt "$work/FONTDATA" >/dev/null
cp -a "$work/FONTDATA" "$work/CORRUPT"
# The second font's stream ends half-way.
size=$(stat -c %s "$work/CORRUPT/ipagp.cmp")
truncate -s $((size / 2)) "$work/CORRUPT/ipagp.cmp"
mkdir -p "$work/EMPTY"

vl_wine --arch "$VL_ARCH" wineboot -i >/dev/null 2>&1 || true
wineserver -w

exe=$(vl_wine winepath -w "$build/tools/vellfont/vellfont.exe" 2>/dev/null)
fonts=$WINEPREFIX/drive_c/windows/Fonts
failures=0
check() {  # check DESCRIPTION CONDITION...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
# Runs vellfont.exe install and sets status; stdout and stderr are converted
# from code page 932 (and CR LF) into out.txt and err.txt.
run_install() {
    status=0
    vl_wine "$exe" install "$@" >"$work/out.sjis" 2>"$work/err.sjis" || status=$?
    iconv -f CP932 -t UTF-8 "$work/out.sjis" | tr -d '\r' >"$work/out.txt"
    iconv -f CP932 -t UTF-8 "$work/err.sjis" | tr -d '\r' >"$work/err.txt"
    cat "$work/out.txt" "$work/err.txt"
}
same_as_source() { cmp -s "$fonts/$1.ttf" "/usr/share/fonts/opentype/$2/$1.ttf"; }
no_temporary_files() { ! ls "$1" | grep -q '\.tmp$'; }

echo "--- first install into the system font folder"
run_install "$(vl_wine winepath -w "$work/FONTDATA")"
check "exit 0" test "$status" = 0
check "four fonts succeeded" test "$(grep -c '^\[成功しました\]$' "$work/out.txt")" = 4
check "closing line" grep -qx 'すべてのインストールが完了しました。' "$work/out.txt"
for f in ipag:ipafont-gothic ipagp:ipafont-gothic ipam:ipafont-mincho ipamp:ipafont-mincho; do
    check "${f%%:*}.ttf identical to its source" same_as_source "${f%%:*}" "${f##*:}"
done
check "no temporary file left" no_temporary_files "$fonts"

echo "--- second install: already installed, done"
run_install "$(vl_wine winepath -w "$work/FONTDATA")"
check "exit 0" test "$status" = 0
check "four fonts already installed" test "$(grep -c '^\[already installed\]$' "$work/out.txt")" = 4
check "nothing failed" test "$(grep -c '^\[失敗しました\]$' "$work/out.txt")" = 0

echo "--- unusable FONTDATA"
run_install "$(vl_wine winepath -w "$work/EMPTY")"
check "exit 2" test "$status" = 2
check "clear message" grep -q 'otf.inf: not a usable settings file' "$work/err.txt"

echo "--- one corrupt .cmp"
mkdir -p "$WINEPREFIX/drive_c/corrupt"
run_install "$(vl_wine winepath -w "$work/CORRUPT")" --dest 'C:\corrupt'
check "exit 1" test "$status" = 1
check "one failure logged" test "$(grep -c '^\[失敗しました\]$' "$work/out.txt")" = 1
check "61212 with 1" grep -qx '1書体のインストールができませんでした。ログをご確認ください。' "$work/out.txt"
check "the others installed" test "$(ls "$WINEPREFIX/drive_c/corrupt" | tr '\n' ' ')" = "ipag.ttf ipam.ttf ipamp.ttf "
check "no temporary file left" no_temporary_files "$WINEPREFIX/drive_c/corrupt"

echo "--- a FONTDATA folder whose name ends in ソ (its second Shift-JIS byte is 0x5C)"
cp -a "$work/FONTDATA" "$work/ソ"
status=0
vl_wine "$exe" verify "$(vl_wine winepath -w "$work/ソ")" >"$work/verify.txt" 2>&1 || status=$?
cat "$work/verify.txt"
check "verify exit 0" test "$status" = 0
check "four fonts sound" grep -q "4 of 4 fonts sound" "$work/verify.txt"

echo "--- a hostile package: a base name that climbs out of the system font folder"
# The demo package with ipag renamed "..\..\vlesc" in otf.inf; its .cmp is
# planted where that name leads, so only the name check stands in the way.
mkdir -p "$work/HOSTILE/FONTDATA"
cp "$work/FONTDATA/ipagp.cmp" "$work/HOSTILE/FONTDATA/"
cp "$work/FONTDATA/ipag.cmp" "$work/vlesc.cmp"
build/native/tools/vellfont/vellfont inf-decode "$work/FONTDATA/otf.inf" |
    LC_ALL=C sed -e 's|Font "ipag",|Font "..\\..\\vlesc",|' -e '/Font "ipam/d' >"$work/hostile.inf"
build/native/tools/vellfont/vellfont inf-encode "$work/hostile.inf" "$work/HOSTILE/FONTDATA/otf.inf" >/dev/null
rm -f "$fonts/ipagp.ttf"
run_install "$(vl_wine winepath -w "$work/HOSTILE/FONTDATA")"
check "exit 1" test "$status" = 1
check "the refusal said why" grep -qx 'このフォントのファイル名はインストール先に使えません。' "$work/out.txt"
check "one failure logged" test "$(grep -c '^\[失敗しました\]$' "$work/out.txt")" = 1
check "the sound font installed" test -f "$fonts/ipagp.ttf"
check "nothing written above the font folder" test ! -e "$WINEPREFIX/drive_c/vlesc.ttf" -a ! -e "$WINEPREFIX/drive_c/windows/vlesc.ttf"

[ "$failures" -eq 0 ]
