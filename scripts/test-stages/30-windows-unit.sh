#!/usr/bin/env bash
# The Windows build for VL_ARCH (x86 or x64); its unit tests run under Wine with
# code page 932.
set -euo pipefail
source scripts/lib/wine-env.sh
vl_build_windows "$VL_ARCH"
ctest --test-dir "$(vl_windows_build_dir "$VL_ARCH")" --output-on-failure -j "$VL_JOBS"
