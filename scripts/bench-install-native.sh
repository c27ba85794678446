#!/usr/bin/env bash
# Native installation benchmark (not a test): `vellfont install --dest` of the
# demo package into an empty folder against `cp` of the same four ready font
# files into another, each a fresh process, alternating in one run. Prints each
# round and the medians with the ratio to cp. VL_BENCH_VELLFONT names another
# vellfont binary to time (an earlier build, say).
# Usage: scripts/bench-install-native.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-9}
source scripts/lib/build.sh
if [ -z "${VL_BENCH_VELLFONT:-}" ]; then
    vl_build_native vellfont >/dev/null
fi
vellfont=${VL_BENCH_VELLFONT:-$PWD/build/native/tools/vellfont/vellfont}

work=$PWD/build/native/bench-install
rm -rf "$work"
mkdir -p "$work/ready" "$work/dest"
"$vellfont" pack demo/manifest.txt "$work/FONTDATA" >/dev/null
fonts=()
for f in ipafont-gothic/ipag.ttf ipafont-gothic/ipagp.ttf ipafont-mincho/ipam.ttf ipafont-mincho/ipamp.ttf; do
    cp "/usr/share/fonts/opentype/$f" "$work/ready/"
    fonts+=("$work/ready/$(basename "$f")")
done
export VELLFONT_LOCK_FILE=$work/lock

now() { date +%s.%N; }
since() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.6f", a - b }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "sizes: $(du -cb "${fonts[@]}" | tail -1 | cut -f1) bytes of fonts; machine load: $(cut -d' ' -f1-3 /proc/loadavg)"
: >"$work/cp.txt"
: >"$work/vellfont.txt"
for round in $(seq "$rounds"); do
    rm -rf "$work/dest" && mkdir "$work/dest"
    start=$(now)
    cp "${fonts[@]}" "$work/dest/"
    cp_s=$(since "$start")
    rm -rf "$work/dest" && mkdir "$work/dest"
    start=$(now)
    "$vellfont" install "$work/FONTDATA" --dest "$work/dest" >/dev/null
    vf_s=$(since "$start")
    cmp "$work/dest/ipag.ttf" "$work/ready/ipag.ttf"
    echo "$cp_s" >>"$work/cp.txt"
    echo "$vf_s" >>"$work/vellfont.txt"
    printf 'round %d: cp %.3f s, vellfont install %.3f s\n' "$round" "$cp_s" "$vf_s"
done
cp_m=$(median <"$work/cp.txt")
vf_m=$(median <"$work/vellfont.txt")
printf 'median of %d: cp %.4f s, vellfont install --dest %.4f s (%.1fx cp)\n' "$rounds" "$cp_m" "$vf_m" \
    "$(awk -v a="$vf_m" -v b="$cp_m" 'BEGIN { print a / b }')"
