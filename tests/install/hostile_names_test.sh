#!/usr/bin/env bash
# Packages whose otf.inf names a font with something other than a plain file
# name: vellfont install, extract and verify refuse that font, say why, write
# nothing outside their folders and still handle the package's other font.
# Usage: hostile_names_test.sh VELLFONT
set -uo pipefail
vellfont=$1
source "$(dirname "$0")/../support/script_env.sh"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$font" ] || font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf

cat > "$work/manifest.txt" <<MANIFEST
[package]
name = Hostile
product-type = HOST
font-type = TTF
[font]
source = $font
base-name = good
file-number = 11
code = 00100
version = 1.00
extra = x
[font]
source = $font
base-name = evil
file-number = 12
code = 00101
version = 1.00
extra = x
MANIFEST
"$vellfont" pack "$work/manifest.txt" "$work/packed" >/dev/null || { echo "cannot pack"; exit 1; }
"$vellfont" inf-decode "$work/packed/otf.inf" > "$work/plain.inf"

# NAME|BYTES (printf %b)|REASON vellfont gives
while IFS='|' read -r what bytes reason; do
    case=$work/case
    rm -rf "$case"
    mkdir -p "$case/a/b/FONTDATA" "$case/a/b/dest" "$case/a/b/out"
    cp "$work/packed/good.cmp" "$case/a/b/FONTDATA/"
    # Where the name would lead, a real font waits: only the check stops it.
    cp "$work/packed/evil.cmp" "$case/a/esc.cmp"
    name=$(printf '%b' "$bytes")
    LC_ALL=C sed "s|Font \"evil\",|Font \"${name//\\/\\\\}\",|" "$work/plain.inf" > "$case/plain.inf"
    grep -qa 'Font "evil",' "$case/plain.inf" && { fail "$what: the name was not put in"; continue; }
    "$vellfont" inf-encode "$case/plain.inf" "$case/a/b/FONTDATA/otf.inf" >/dev/null

    status=0
    "$vellfont" install "$case/a/b/FONTDATA" --dest "$case/a/b/dest" >"$case/install.txt" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "$what: install exit $status, not 1"
    [ "$(grep -c '^\[失敗しました\]$' "$case/install.txt")" = 1 ] || fail "$what: install did not log one failure"
    grep -q 'このフォントのファイル名はインストール先に使えません。' "$case/install.txt" || fail "$what: install gave no reason"
    [ "$(ls "$case/a/b/dest")" = good.ttf ] || fail "$what: dest holds $(ls "$case/a/b/dest" | tr '\n' ' ')"

    status=0
    "$vellfont" extract "$case/a/b/FONTDATA" "$case/a/b/out" >"$case/extract.txt" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "$what: extract exit $status, not 1"
    grep -q "FAILED .*base name $reason" "$case/extract.txt" || { fail "$what: extract did not say '$reason'"; cat "$case/extract.txt"; }
    [ "$(ls "$case/a/b/out")" = good.ttf ] || fail "$what: out holds $(ls "$case/a/b/out" | tr '\n' ' ')"

    status=0
    "$vellfont" verify "$case/a/b/FONTDATA" >"$case/verify.txt" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "$what: verify exit $status, not 1"
    grep -q "FAILED .*base name $reason" "$case/verify.txt" || fail "$what: verify did not say '$reason'"

    # Nothing from the package reaches the terminal raw.
    grep -q $'\x1b' "$case/install.txt" "$case/extract.txt" "$case/verify.txt" && fail "$what: a raw control character was printed"

    # Nothing anywhere but the two folders' good.ttf.
    written=$(cd "$case" && find . -name '*.ttf' -o -name '*.tmp' -o -name '*.part' | sort | tr '\n' ' ')
    [ "$written" = "./a/b/dest/good.ttf ./a/b/out/good.ttf " ] || fail "$what: files written: $written"
done <<'CASES'
backslashes|..\\..\\esc|contains a path separator
slashes|../../esc|contains a path separator
mixed separators|..\\../esc|contains a path separator
trail byte 0x5C|\x83\x5C\\..\\..\\esc|contains a path separator
device name|CON|is a reserved device name
stream colon|esc:x|contains a colon
trailing dot|esc.|ends with a dot or a blank
terminal escape|esc\x1b[2J|contains a control character
CASES

finish
