#!/usr/bin/env bash
# vellfont verify against an independent validator, the OpenType Sanitizer:
# sound fonts pass both, structurally broken copies fail both, and a font whose
# only damage is a table checksum (which the sanitizer does not check) is
# structurally sound to both: verify fails it as a checksum mismatch that the
# installer installs with a warning, never as one it refuses.
# Usage: verify_agrees_with_ots_test.sh VELLFONT OTS-SANITIZE
set -uo pipefail
vellfont=$1
ots=$2
source "$(dirname "$0")/../support/script_env.sh"
ipa=/usr/share/fonts/opentype
cp "$ipa/ipafont-gothic/ipag.ttf" "$ipa/ipafont-gothic/ipagp.ttf" "$ipa/ipafont-mincho/ipam.ttf" \
    "$ipa/ipafont-mincho/ipamp.ttf" "$work/"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$work/dejavu.ttf"
# A byte changed deep inside a table: only that table's checksum is wrong.
cp "$work/ipam.ttf" "$work/flipped.ttf"
printf '\x55' | dd of="$work/flipped.ttf" bs=1 seek=3000000 conv=notrunc 2>/dev/null
# Cut in half: tables run past the end.
head -c 3000000 "$work/ipag.ttf" > "$work/cut.ttf"
# Only the header and part of the table directory are left.
head -c 100 "$work/dejavu.ttf" > "$work/stub.ttf"
# The first table record's offset moved past the end of the file.
cp "$work/dejavu.ttf" "$work/badoffset.ttf"
printf '\x7f\xff\xff\xf0' | dd of="$work/badoffset.ttf" bs=1 seek=20 conv=notrunc 2>/dev/null

names=(ipag ipagp ipam ipamp dejavu flipped cut stub badoffset)
{
    printf '[package]\nname = Check\nproduct-type = CHCK\nfont-type = TTF\n'
    n=0
    for name in "${names[@]}"; do
        n=$((n + 1))
        printf '[font]\nsource = %s\nbase-name = %s\nfile-number = %d\ncode = 001%02d\nversion = 1.00\nextra = x\n' \
            "$work/$name.ttf" "$name" "$n" "$n"
    done
} > "$work/manifest.txt"
"$vellfont" pack "$work/manifest.txt" "$work/FONTDATA" >/dev/null 2>&1 || { echo "FAIL: pack"; exit 1; }
"$vellfont" verify "$work/FONTDATA" > "$work/verify.txt" 2>&1

for name in "${names[@]}"; do
    line=$(grep " $name.ttf" "$work/verify.txt")
    if "$ots" "$work/$name.ttf" "$work/out.ttf" >/dev/null 2>&1; then ots_sound=yes; else ots_sound=no; fi
    case "$line" in
        "ok "*) ours=sound ;;
        *"installs it with a warning"*) ours=checksum ;;
        *"installer refuses it"*) ours=broken ;;
        *) ours="unknown: $line" ;;
    esac
    echo "$name: sanitizer sound=$ots_sound, verify $ours"
    case "$ours/$ots_sound" in
        sound/yes | checksum/yes | broken/no) ;;
        *) fail "$name: verify says $ours, the sanitizer sound=$ots_sound" ;;
    esac
done
# Each kind must have been seen, or the comparison proved little.
for kind in "ok " "installs it with a warning" "installer refuses it"; do
    grep -q "$kind" "$work/verify.txt" || fail "no font verified as '$kind'"
done
finish
