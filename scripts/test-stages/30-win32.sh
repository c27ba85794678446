#!/usr/bin/env bash
# The 32-bit Windows build; its unit tests run under Wine with code page 932.
set -euo pipefail
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
cmake --build build/win32 -j "$VL_JOBS"
ctest --test-dir build/win32 --output-on-failure -j "$VL_JOBS"
