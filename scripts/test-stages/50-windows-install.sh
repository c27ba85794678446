#!/usr/bin/env bash
# vellfont.exe install (the VL_ARCH build) under Wine on the packed demo
# package, in a fresh prefix: a first install, a second one that finds every
# font in place, an unusable FONTDATA and a package with one corrupt .cmp
# file; then status, an upgrade from an older build (also of a file in use,
# finished by a restart of the prefix) and uninstall.
set -euo pipefail
source scripts/lib/wine-env.sh

vl_build_native vellfont
vl_build_windows "$VL_ARCH" vellfont vl_hold_file
build=$(vl_windows_build_dir "$VL_ARCH")

source scripts/lib/checks.sh
vl_stage_work "$build/wine-install"
cp -a "$work/FONTDATA" "$work/CORRUPT"
# The second font's stream ends half-way.
size=$(stat -c %s "$work/CORRUPT/ipagp.cmp")
truncate -s $((size / 2)) "$work/CORRUPT/ipagp.cmp"
mkdir -p "$work/EMPTY"

vl_wine --arch "$VL_ARCH" wineboot -i >/dev/null 2>&1 || true
wineserver -w

exe=$(vl_wine winepath -w "$build/tools/vellfont/vellfont.exe" 2>/dev/null)
fonts=$WINEPREFIX/drive_c/windows/Fonts
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

# --- The whole life of an installed font.
# Runs a vellfont.exe verb: stdout stays as it is (UTF-8 JSON with --json),
# stderr is converted; sets status.
run_verb() {
    status=0
    vl_wine "$exe" "$@" >"$work/out.raw" 2>"$work/err.sjis" || status=$?
    tr -d '\r' <"$work/out.raw" >"$work/out.json"
    iconv -f CP932 -t UTF-8 "$work/out.raw" 2>/dev/null | tr -d '\r' >"$work/out.txt" || true
    iconv -f CP932 -t UTF-8 "$work/err.sjis" | tr -d '\r' >"$work/err.txt"
    case " $* " in *" --json "*) cat "$work/out.json"; echo ;; *) cat "$work/out.txt" ;; esac
    cat "$work/err.txt"
}
# The exit code as Windows reports it (a Unix parent sees only its low byte,
# 3010 as 194), through cmd's errorlevel test.
windows_exit_is() {  # windows_exit_is CODE VERB ARGS...
    local code=$1 said
    shift
    said=$(vl_wine cmd /c "$exe $* >NUL 2>NUL & if errorlevel $((code + 1)) (echo other) else if errorlevel $code (echo exact) else echo other" || true)
    [ "$(tr -d '\r' <<<"$said")" = exact ]
}
json() { python3 -c "import json; j=json.load(open('$work/out.json')); print($1)"; }
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
font_values() { vl_wine reg query "$fonts_key" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
# Whether a value under the Fonts key names the file by its bare name (Wine
# lists the fonts it finds under /usr/share/fonts by their Z: paths).
has_value() {
    local values
    values=$(font_values)
    grep -qE "REG_SZ +$1\$" <<<"$values"
}
no_value() { ! has_value "$1"; }
gothic=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
new=$(vl_wine winepath -w "$work/FONTDATA")
python3 tests/support/set_font_revision.py "$gothic" "$work/ipag-old.ttf" 2.5
sed "s|^source = $gothic|source = $work/ipag-old.ttf|" demo/manifest.txt >"$work/old.txt"
build/native/tools/vellfont/vellfont pack "$work/old.txt" "$work/OLD" >/dev/null
old=$(vl_wine winepath -w "$work/OLD")

echo "--- status of the installed package"
run_verb status "$new" --json
check "status exit 0" test "$status" = 0
check "every font installed" test "$(json '",".join(f["state"] for f in j["fonts"])')" = installed,installed,installed,installed

echo "--- an older build of ipag installed"
run_verb uninstall "$new" --font ipag
check "uninstall ipag exit 0" test "$status" = 0
check "ipag.ttf removed" test ! -e "$fonts/ipag.ttf"
check "its value removed" no_value 'ipag\.ttf'
run_verb install "$old" --font ipag
check "older build installed" test "$status" = 0
run_verb status "$new" --json
check "status exit 1" test "$status" = 1
check "ipag older" test "$(json '[f["state"] for f in j["fonts"] if f["baseName"]=="ipag"][0]')" = older
run_verb install "$new"
check "install without --upgrade: exit 2" test "$status" = 2
check "the old file untouched" cmp -s "$fonts/ipag.ttf" "$work/ipag-old.ttf"
run_verb install "$new" --upgrade --json
check "install --upgrade: exit 0" test "$status" = 0
check "ipag upgraded" test "$(json '[f["outcome"] for f in j["fonts"] if f["baseName"]=="ipag"][0]')" = upgraded
check "the new file in place" cmp -s "$fonts/ipag.ttf" "$gothic"
check "its value names it" has_value 'ipag\.ttf'
run_verb status "$new"
check "status exit 0 after the upgrade" test "$status" = 0

echo "--- an upgrade while a program holds the old file"
run_verb uninstall "$new" --font ipag
run_verb install "$old" --font ipag
hold=$(vl_wine winepath -w "$build/tests/install/vl_hold_file.exe")
rm -f "$work/held" "$work/release"
vl_wine "$hold" 'C:\windows\Fonts\ipag.ttf' "$(vl_wine winepath -w "$work")\\held" "$(vl_wine winepath -w "$work")\\release" &
holder=$!
for _ in $(seq 100); do [ -e "$work/held" ] && break; sleep 0.2; done
check "the old file is held" test -e "$work/held"
run_verb install "$new" --upgrade --json
check "exit 3010 (194 to Unix)" test "$status" = 194
check "restart needed" test "$(json 'j["restartNeeded"]')" = True
check "ipag upgrade at restart" test "$(json '[f["outcome"] for f in j["fonts"] if f["baseName"]=="ipag"][0]')" = upgrade-at-restart
check "the old file intact" cmp -s "$fonts/ipag.ttf" "$work/ipag-old.ttf"
check "the new one waits beside it" cmp -s "$fonts/~vlnew-ipag.ttf" "$gothic"
check "still registered" has_value 'ipag\.ttf'
pending=$(vl_wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' || true)
echo "$pending"
check "the move is scheduled" grep -qi 'vlnew-ipag.ttf' <<<"$pending"
run_verb install "$new" --upgrade
check "text: restart needed" test "$(tail -1 "$work/out.txt")" = "restart needed"
check "Windows sees exit 3010" windows_exit_is 3010 install "$new" --upgrade
touch "$work/release"
wait "$holder" || true
vl_wine wineboot -r >/dev/null 2>&1 || true
wineserver -w
check "after the restart the new file is in place" cmp -s "$fonts/ipag.ttf" "$gothic"
check "nothing waits any more" test ! -e "$fonts/~vlnew-ipag.ttf"
run_verb status "$new"
check "status exit 0 after the restart" test "$status" = 0

echo "--- uninstall leaves a foreign font of the same name alone"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/ipamp.ttf"
run_verb uninstall "$new" --json
check "exit 1: one left" test "$status" = 1
check "outcomes" test "$(json '",".join(f["outcome"] for f in j["fonts"])')" = removed,removed,removed,left-alone
check "the foreign file stays" cmp -s "$fonts/ipamp.ttf" /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
check "the package's files are gone" test ! -e "$fonts/ipag.ttf" -a ! -e "$fonts/ipagp.ttf" -a ! -e "$fonts/ipam.ttf"
check "their values are gone" no_value '(ipag|ipagp|ipam)\.ttf'
check "the foreign font's value stays" has_value 'ipamp\.ttf'
run_verb uninstall "$new" --any-version
check "--any-version leaves another family too" test "$status" = 1 -a -e "$fonts/ipamp.ttf"

[ "$failures" -eq 0 ]
