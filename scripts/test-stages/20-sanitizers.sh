#!/usr/bin/env bash
# The native unit tests again under AddressSanitizer and UBSan.
set -euo pipefail
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$VL_JOBS"
ctest --test-dir build/asan --output-on-failure -j "$VL_JOBS"
