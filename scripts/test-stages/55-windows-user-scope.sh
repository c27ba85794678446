#!/usr/bin/env bash
# vellfont.exe install --scope user (the VL_ARCH build) under Wine, in a fresh
# prefix: the fonts go to the user's font folder, the user's Fonts key names
# them by full path (in the key itself, no subkey), the machine's key and
# folder stay untouched; status and uninstall --scope user look there; a
# machine install is independent of it; a Windows older than build 17763
# refuses the user scope.
set -euo pipefail
source scripts/lib/wine-env.sh

vl_build_native vellfont
vl_build_windows "$VL_ARCH" vellfont
build=$(vl_windows_build_dir "$VL_ARCH")

source scripts/lib/checks.sh
vl_stage_work "$build/wine-user-scope"
vl_wine --arch "$VL_ARCH" wineboot -i >/dev/null 2>&1 || true
# A fresh prefix says Windows 7; the user's font folder needs 10 (1809) or later.
vl_wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
wineserver -w

exe=$(vl_wine winepath -w "$build/tools/vellfont/vellfont.exe" 2>/dev/null)
fontdata=$(vl_wine winepath -w "$work/FONTDATA" 2>/dev/null)
machine_fonts=$WINEPREFIX/drive_c/windows/Fonts
user_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
machine_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
# Runs vellfont.exe VERB and sets status; stdout (JSON, UTF-8) in out.txt,
# stderr converted from code page 932 into err.txt.
run_verb() {
    local verb=$1
    shift
    status=0
    vl_wine "$exe" "$verb" "$fontdata" "$@" >"$work/out.txt" 2>"$work/err.sjis" || status=$?
    iconv -f CP932 -t UTF-8 "$work/err.sjis" | tr -d '\r' >"$work/err.txt"
    cat "$work/out.txt" "$work/err.txt"
}
run_install() { run_verb install "$@"; }
json() { python3 -c "import json,sys; d=json.load(open('$work/out.txt')); print($1)"; }
# A key's values and subkeys, as reg query prints them (UTF-8, no CR).
query() { vl_wine reg query "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
# The package's fonts under the machine's key: by bare name, or by a path into
# a user's folder (Wine lists the host's own copies of the IPA fonts there too,
# by their Z: paths).
fonts_in_machine_key() { query "$machine_key" | grep -ciE 'REG_SZ    (ipa[gm]p?\.ttf|.*\\appdata\\.*)$' || true; }
same_as_source() { cmp -s "$1/$2.ttf" "/usr/share/fonts/opentype/$3/$2.ttf"; }
no_subkey() { ! query "$user_key" | grep -qi '^HKEY_CURRENT_USER\\.*\\Fonts\\'; }

echo "--- install --scope user"
run_install --scope user --json
check "exit 0" test "$status" = 0
destination=$(json "d['destination']")
check "JSON: scope user" test "$(json "d['scope']")" = user
check "JSON: four installed" test "$(json "[f['outcome'] for f in d['fonts']].count('installed')")" = 4
check "the per-user font folder" test "${destination##*\\}" = Fonts -a "$(json "d['destination'].lower().endswith(r'\\appdata\\local\\microsoft\\windows\\fonts')")" = True
user_fonts=$(vl_wine winepath -u "$destination" 2>/dev/null)
for f in ipag:ipafont-gothic ipagp:ipafont-gothic ipam:ipafont-mincho ipamp:ipafont-mincho; do
    check "${f%%:*}.ttf in the user's folder, identical to its source" same_as_source "$user_fonts" "${f%%:*}" "${f##*:}"
    check "the user's value names ${f%%:*}.ttf by full path" \
        grep -qiF "REG_SZ    $destination\\${f%%:*}.ttf" <<<"$(query "$user_key")"
done
check "no subkey under the user's key" no_subkey
check "the machine's key untouched" test "$(fonts_in_machine_key)" = 0
check "the machine's folder untouched" test ! -e "$machine_fonts/ipag.ttf"

echo "--- status --scope user"
run_verb status --scope user --json
check "exit 0" test "$status" = 0
check "four installed" test "$(json "[f['state'] for f in d['fonts']].count('installed')")" = 4
run_verb status --json
check "status for the machine: exit 1" test "$status" = 1

echo "--- a machine install afterwards"
run_install --json
check "exit 0" test "$status" = 0
check "JSON: scope machine" test "$(json "d['scope']")" = machine
check "four values under the machine's key" test "$(fonts_in_machine_key)" = 4
check "by bare file name" grep -qi 'REG_SZ    ipag\.ttf$' <<<"$(query "$machine_key")"
check "ipag.ttf in the machine's folder" same_as_source "$machine_fonts" ipag ipafont-gothic
check "the user's fonts still there" same_as_source "$user_fonts" ipag ipafont-gothic
check "the user's values still there" test "$(query "$user_key" | grep -ci 'ipa[gm]p\?\.ttf')" = 4

echo "--- uninstall --scope user"
run_verb uninstall --scope user --json
check "exit 0" test "$status" = 0
check "four removed" test "$(json "[f['outcome'] for f in d['fonts']].count('removed')")" = 4
check "the user's folder emptied" test -z "$(ls "$user_fonts")"
check "the user's values gone" test "$(query "$user_key" | grep -ci 'ipa[gm]p\?\.ttf' || true)" = 0
check "the machine's fonts stay" test "$(fonts_in_machine_key)" = 4 -a -f "$machine_fonts/ipag.ttf"
run_verb status --json
check "status for the machine: exit 0" test "$status" = 0
run_verb status --scope user
check "status --scope user: exit 1" test "$status" = 1

echo "--- a Windows before build 17763"
rm -rf "$user_fonts"
vl_wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
wineserver -w
run_install --scope user
check "exit 2" test "$status" = 2
check "one line saying why" test "$(wc -l <"$work/err.txt")" = 1 -a -n "$(grep 'build 17763' "$work/err.txt")"
check "nothing written" test ! -e "$user_fonts"

[ "$failures" -eq 0 ]
