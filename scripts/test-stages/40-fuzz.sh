#!/usr/bin/env bash
# libFuzzer targets under ASan and UBSan: the .cmp decoder with descrambling, the
# table decoder against the tree walk, and the otf.inf loader. Seeds are packed
# by vellfont from small sources; each target runs for a bounded time and any
# crash, sanitizer report or disagreement fails the stage.
set -euo pipefail
source scripts/lib/build.sh
seconds=${VL_FUZZ_SECONDS:-60}
build=build/fuzz
vl_build "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DVL_SANITIZE=ON -DVL_FUZZ=ON -DVL_BUILD_TESTS=OFF \
    -- fuzz_decompress fuzz_decoder_agreement fuzz_inf_parser vellfont

# Seeds: a small package packed from bits of real fonts and a text, in both
# otf.inf formats, plus the 38-byte example stream.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/src" "$seeds/cmp" "$seeds/agreement" "$seeds/inf"
head -c 3000 /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf > "$seeds/src/a.bin"
tail -c 1500 /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf > "$seeds/src/b.bin"
printf 'VellInstaller fuzz seed\n%.0s' {1..20} > "$seeds/src/c.bin"
printf '\0' > "$seeds/src/d.bin"
for format in keyword csv; do
    {
        echo "format = $format"
        echo "[package]"
        [ "$format" = keyword ] && printf 'name = シード\nproduct-type = SEED\nid = 7\nfont-type = TTF\n'
        n=0
        for f in a b c d; do
            n=$((n + 1))
            printf '[font]\nsource = src/%s.bin\nbase-name = %s\nfile-number = %d\ncode = 0010%d\nversion = 1.0%d\nextra = x\n' \
                "$f" "$f" "$((n * 97))" "$n" "$n"
            [ "$format" = keyword ] && printf 'family = 見本%d\nstyle = Regular\n' "$n"
        done
    } > "$seeds/$format.txt"
    # a.bin is a cut-off font, on purpose; pack warns about its tables.
    ASAN_OPTIONS=detect_leaks=0 "$build/tools/vellfont/vellfont" pack "$seeds/$format.txt" "$seeds/out-$format" >/dev/null 2>&1
    cp "$seeds/out-$format/otf.inf" "$seeds/inf/$format.inf"
done
cp "$seeds"/out-keyword/*.cmp "$seeds/cmp/"
printf '\x04\x00\x00\x00\xA1\x40' > "$seeds/cmp/example.cmp"
head -c 31 /dev/zero >> "$seeds/cmp/example.cmp"
printf '\x6C' >> "$seeds/cmp/example.cmp"
# The agreement target takes a 2-byte count instead of the 4-byte size, then a
# split byte: each seed once unsplit and once split with 9 bits to fall into step.
for f in "$seeds"/cmp/*.cmp; do
    { head -c 2 "$f"; printf '\0'; tail -c +5 "$f"; } > "$seeds/agreement/$(basename "$f")"
    # Split byte: low 6 bits + 1 are the sync bits, top 2 bits + 1 the parts.
    { head -c 2 "$f"; printf '\x09'; tail -c +5 "$f"; } > "$seeds/agreement/split-$(basename "$f")"
    { head -c 2 "$f"; printf '\x89'; tail -c +5 "$f"; } > "$seeds/agreement/split3-$(basename "$f")"
    { head -c 2 "$f"; printf '\xC3'; tail -c +5 "$f"; } > "$seeds/agreement/split4-$(basename "$f")"
done

run() {
    local target=$1 seedDir=$2
    local corpus=$build/corpus/$target
    mkdir -p "$corpus"
    echo "--- $target (${seconds} s)"
    (cd "$build" && "./fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 "corpus/$target" "../../$seedDir") 2>&1 | tail -n 12
    return "${PIPESTATUS[0]}"
}
status=0
run fuzz_decompress "$seeds/cmp" || status=1
run fuzz_decoder_agreement "$seeds/agreement" || status=1
run fuzz_inf_parser "$seeds/inf" || status=1
exit $status
