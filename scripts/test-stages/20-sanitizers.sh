#!/usr/bin/env bash
# The native unit tests again under AddressSanitizer and UBSan.
set -euo pipefail
source scripts/lib/build.sh
vl_build build/asan -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON
ctest --test-dir build/asan --output-on-failure -j "$VL_JOBS"
