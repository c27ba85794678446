#!/usr/bin/env bash
# Decode benchmark: our table decoder, the tree walk, zlib and libdeflate on
# ipag.ttf and NotoSansCJK-Regular.ttc (native build, medians over rounds run
# side by side), then each Windows build's own figures under Wine: the 32-bit
# and the 64-bit one where this host runs both (VL_WINDOWS_ARCH chooses).
# Usage: scripts/bench-decode.sh [ROUNDS]   (as root the first time: installs fonts-noto-cjk)
set -euo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
rounds=${1:-15}
./scripts/install-deps.sh
source scripts/lib/wine-env.sh
trap vl_stop_all_wine EXIT
vl_choose_windows_archs
noto=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
# The large CJK font is a benchmark input only; CI never installs it.
if [ ! -f "$noto" ] && [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends fonts-noto-cjk >/dev/null
fi
fonts=(/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf)
[ -f "$noto" ] && fonts+=("$noto")

vl_build_native decode_bench >/dev/null
echo "== native x86-64 ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs))"
build/native/bench/decode_bench --runs "$rounds" "${fonts[@]}"

winFonts=()
for f in "${fonts[@]}"; do winFonts+=("Z:${f//\//\\}"); done
for arch in $VL_WINDOWS_ARCHS; do
    build=$(vl_windows_build_dir "$arch")
    vl_build_windows "$arch" decode_bench >/dev/null
    echo "== $arch Windows build under Wine"
    WINEPREFIX=$PWD/$build/wineprefix vl_wine --arch "$arch" "$build/bench/decode_bench.exe" --runs "$rounds" "${winFonts[@]}"
done
vl_windows_archs_line
