#!/usr/bin/env bash
# Native build of the portable core, the tool and the unit tests.
set -euo pipefail
source scripts/lib/build.sh
vl_build build/native
ctest --test-dir build/native --output-on-failure -j "$VL_JOBS"
