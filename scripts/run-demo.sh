#!/usr/bin/env bash
# Builds everything and runs the main job on the demo package.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$(nproc)"

out=out/demo/FONTDATA
mkdir -p "$out"
iconv -f UTF-8 -t CP932 demo/otf.inf.txt > out/demo/otf.inf.plain
build/native/tools/vellfont/vellfont inf-encode out/demo/otf.inf.plain "$out/otf.inf"
build/native/tools/vellfont/vellfont inspect "$out"
