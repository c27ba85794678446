#!/usr/bin/env bash
# Native build of the portable core, the tool and the unit tests.
set -euo pipefail
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$VL_JOBS"
ctest --test-dir build/native --output-on-failure -j "$VL_JOBS"
