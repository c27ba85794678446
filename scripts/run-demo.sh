#!/usr/bin/env bash
# Builds everything and runs the main job on the demo package: packs the four
# IPA fonts into out/demo/FONTDATA, verifies it and shows its catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$(nproc)"

vellfont=build/native/tools/vellfont/vellfont
out=out/demo/FONTDATA
rm -rf "$out"
"$vellfont" pack demo/manifest.txt "$out"
"$vellfont" verify "$out"
"$vellfont" inspect "$out"
