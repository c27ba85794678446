#!/usr/bin/env bash
# vellfont pack, verify, extract and decode end to end on the four IPA fonts,
# and the manifest texts that pack must refuse. Usage: vellfont_codec_test.sh VELLFONT
set -uo pipefail
vellfont=$1
source "$(dirname "$0")/../support/script_env.sh"
src=$(cd "$(dirname "$0")/../.." && pwd)/demo/manifest.txt
fonts=(/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
       /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf)

# Round trip of the demo package.
check "pack demo" "$vellfont" pack "$src" "$work/FONTDATA"
check "verify demo" "$vellfont" verify "$work/FONTDATA"
mkdir "$work/fonts"
check "extract demo" "$vellfont" extract "$work/FONTDATA" "$work/fonts"
for f in "${fonts[@]}"; do
    cmp -s "$f" "$work/fonts/$(basename "$f")" || fail "$(basename "$f") differs after pack and extract"
done
refuse "extract again" "exists and is not overwritten" "$vellfont" extract "$work/FONTDATA" "$work/fonts"
cmp -s "${fonts[0]}" "$work/fonts/ipag.ttf" || fail "extract overwrote ipag.ttf"

# One corrupted byte deep inside a font, past the checksummed start.
cp -r "$work/FONTDATA" "$work/damaged"
printf '\x55' | dd of="$work/damaged/ipam.cmp" bs=1 seek=3000000 conv=notrunc 2>/dev/null
refuse "verify damaged" "FAILED  ipam.ttf" "$vellfont" verify "$work/damaged"
grep -q "^ok      ipag.ttf" "$work/out.txt" || fail "verify did not list the sound fonts"
# install takes such a font with a warning on stderr (some shipping fonts carry
# stale checksums).
mkdir "$work/installed"
"$vellfont" install "$work/damaged" --dest "$work/installed" >"$work/out.txt" 2>"$work/err.txt" ||
    { fail "install of a font with a stale table checksum failed"; cat "$work/out.txt" "$work/err.txt"; }
grep -q "warning: .*ipam.ttf: table .* checksum mismatch (installed all the same)" "$work/err.txt" ||
    { fail "install gave no checksum warning"; cat "$work/err.txt"; }
[ "$(ls "$work/installed" | tr '\n' ' ')" = "ipag.ttf ipagp.ttf ipam.ttf ipamp.ttf " ] ||
    fail "install wrote $(ls "$work/installed")"

# A FIFO in place of otf.inf or of a .cmp file is refused, not waited on.
mkdir -p "$work/fifo"
mkfifo "$work/fifo/otf.inf"
status=0; timeout 20 "$vellfont" inspect "$work/fifo" >/dev/null 2>&1 || status=$?
[ "$status" = 1 ] || fail "inspect on a FIFO otf.inf: exit $status"
cp -r "$work/FONTDATA" "$work/fifocmp"
rm "$work/fifocmp/ipag.cmp"
mkfifo "$work/fifocmp/ipag.cmp"
status=0; timeout 60 "$vellfont" verify "$work/fifocmp" >"$work/out.txt" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q "FAILED  ipag.ttf.*: cannot read" "$work/out.txt" ||
    { fail "verify with a FIFO .cmp: exit $status"; cat "$work/out.txt"; }

# install while another installation holds the machine's lock: exit 2, nothing written.
mkdir -p "$work/locked"
flock "$VELLFONT_LOCK_FILE" sleep 30 &
holder=$!
sleep 0.5
refuse "install while another runs" "another installation is running" "$vellfont" install "$work/FONTDATA" --dest "$work/locked"
[ -z "$(ls "$work/locked")" ] || fail "a refused install wrote files"
pkill -P "$holder" 2>/dev/null; kill "$holder" 2>/dev/null; wait "$holder" 2>/dev/null

# decode: the right number, a wrong (negative) number, a cut file.
check "decode" "$vellfont" decode "$work/FONTDATA/ipag.cmp" --number 101 -o "$work/ipag.ttf"
cmp -s "${fonts[0]}" "$work/ipag.ttf" || fail "decode output differs"
refuse "decode with a wrong number" "checksum mismatch" "$vellfont" decode "$work/FONTDATA/ipag.cmp" --number -2 -o "$work/wrong.ttf"
head -c 100000 "$work/FONTDATA/ipagp.cmp" > "$work/cut.cmp"
refuse "decode a cut file" "cannot decode" "$vellfont" decode "$work/cut.cmp" --number 102 -o "$work/cut.ttf"
# Links planted where a predictable temporary name or the output would be
# are neither followed nor replaced.
echo "victim" > "$work/victim.txt"
ln -s "$work/victim.txt" "$work/planted.ttf.part"
check "decode beside a planted link" "$vellfont" decode "$work/FONTDATA/ipag.cmp" --number 101 -o "$work/planted.ttf"
[ "$(cat "$work/victim.txt")" = victim ] && cmp -s "${fonts[0]}" "$work/planted.ttf" ||
    fail "a planted link was followed"
ln -s "$work/victim.txt" "$work/link.ttf"
refuse "decode onto a planted link" "exists and is not overwritten" "$vellfont" decode "$work/FONTDATA/ipag.cmp" --number 101 -o "$work/link.ttf"
[ "$(cat "$work/victim.txt")" = victim ] || fail "the link's target was written"
ls "$work" | grep -q '^~vlpart-' && fail "a temporary file was left"
refuse "decode onto an existing file" "exists and is not overwritten" "$vellfont" decode "$work/FONTDATA/ipag.cmp" --number 101 -o "$work/ipag.ttf"
ls "$work"/wrong.ttf* "$work"/cut.ttf* >/dev/null 2>&1 && fail "a failed decode left a file"

# The comma format round trip.
cat > "$work/csv.txt" <<MANIFEST
format = csv
[package]
[font]
source = ${fonts[0]}
base-name = ipag
file-number = 7
code = 00100
version = 1.00
extra = a, b
all-fonts = yes
MANIFEST
check "pack csv" "$vellfont" pack "$work/csv.txt" "$work/CSV"
check "verify csv" "$vellfont" verify "$work/CSV"
"$vellfont" inspect "$work/CSV" | grep -q "format: csv" || fail "not written in the comma format"

# An unusable otf.inf: inspect says the line and the rule, on one line of stderr;
# the other verbs add the same after their usual message.
printf 'START_INF\r\nFileVersion 5\r\nPackageStart\r\nProductType ABCD\r\nPackageEnd\r\nFont a,1,2,1.0,x\r\n' \
    > "$work/plain.inf"
mkdir "$work/BADINF"
check "inf-encode" "$vellfont" inf-encode "$work/plain.inf" "$work/BADINF/otf.inf"
"$vellfont" inspect "$work/BADINF" >"$work/out.txt" 2>"$work/err.txt"
status=$?
expected="vellfont: $work/BADINF/otf.inf: line 6: Font line outside any package block (after PackageEnd)"
[ "$status" = 1 ] && [ ! -s "$work/out.txt" ] && [ "$(cat "$work/err.txt")" = "$expected" ] ||
    { fail "inspect of an unusable otf.inf (exit $status)"; cat "$work/out.txt" "$work/err.txt"; }
unusable="otf.inf: not a usable settings file: line 6: Font line outside"
refuse "verify of an unusable otf.inf" "$unusable" "$vellfont" verify "$work/BADINF"
refuse "install of an unusable otf.inf" "$unusable" "$vellfont" install "$work/BADINF" --dest "$work"

# Manifests pack must refuse; each names what otf.inf cannot hold.
base="[package]
name = N
product-type = ABCD
[font]
source = ${fonts[0]}
base-name = ipag
file-number = 1
code = 00100
version = 1.00
extra = x"
while IFS='|' read -r name expected from to; do
    printf '%b\n' "${base/"$from"/"$to"}" > "$work/bad.txt"
    refuse "$name" "$expected" "$vellfont" pack "$work/bad.txt" "$work/BAD"
done <<'CASES'
product type of 5 bytes|exactly 4|product-type = ABCD|product-type = ABCDE
product type of 5 bytes in Shift-JIS|is 5 bytes in Shift-JIS|product-type = ABCD|product-type = 見本A
name with a double quote|double quote|name = N|name = say "hi"
name with a hash|double quote or #|name = N|name = No. #1
text with no Shift-JIS form|Shift-JIS cannot represent|extra = x|extra = 😀
negative file number|file-number must be digits|file-number = 1|file-number = -2
file number past 31 bits|file-number must be digits|file-number = 1|file-number = 2147483648
code with a letter|code must be digits|code = 00100|code = 001A0
empty extra|extra is empty|extra = x|extra =
style without family|style without family|extra = x|extra = x\nstyle = Bold
base name with a slash|contains a path separator|base-name = ipag|base-name = a/b
base name climbing out|contains a path separator|base-name = ipag|base-name = ..\\..\\esc
base name of a device|reserved device name|base-name = ipag|base-name = CON
base name ending in a dot|ends with a dot or a blank|base-name = ipag|base-name = ipag.
base name with a colon|contains a colon|base-name = ipag|base-name = C:evil
unknown key|unknown font key|extra = x|extra = x\ncolour = red
CASES
[ -e "$work/BAD" ] && fail "a refused manifest left output"

finish
