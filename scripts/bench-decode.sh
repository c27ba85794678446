#!/usr/bin/env bash
# Decode benchmark: our table decoder, the tree walk, zlib and libdeflate on
# ipag.ttf and NotoSansCJK-Regular.ttc (native build, medians over rounds run
# side by side), then the 32-bit Windows build's own figures under Wine.
# Usage: scripts/bench-decode.sh [ROUNDS]   (as root the first time: installs fonts-noto-cjk)
set -euo pipefail
cd "$(dirname "$0")/.."
export VL_ROOT=$PWD
rounds=${1:-15}
./scripts/install-deps.sh
noto=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
# The large CJK font is a benchmark input only; CI never installs it.
if [ ! -f "$noto" ] && [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends fonts-noto-cjk >/dev/null
fi
fonts=(/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf)
[ -f "$noto" ] && fonts+=("$noto")

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native --target decode_bench >/dev/null
echo "== native x86-64 ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs))"
build/native/bench/decode_bench --runs "$rounds" "${fonts[@]}"

cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
cmake --build build/win32 --target decode_bench >/dev/null
source scripts/lib/wine-env.sh
trap vl_stop_all_wine EXIT
echo "== 32-bit Windows build under Wine"
winFonts=()
for f in "${fonts[@]}"; do winFonts+=("Z:${f//\//\\}"); done
VL_WINEPREFIX=$PWD/build/win32/wineprefix cmake/wine-run.sh build/win32/bench/decode_bench.exe --runs "$rounds" "${winFonts[@]}"
