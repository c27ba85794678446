#!/usr/bin/env bash
# Both Windows builds, the 32-bit product and the 64-bit one, whatever this host
# can execute: compiling needs no Wine. A compiler warning fails the stage.
set -euo pipefail
source scripts/lib/build.sh
status=0
for arch in x86 x64; do
    log=$(vl_windows_build_dir "$arch").build-log.txt
    mkdir -p build
    if ! vl_build_windows "$arch" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "the $arch build failed"
        status=1
    elif grep -q 'warning:' "$log"; then
        grep -B 2 -A 4 'warning:' "$log"
        echo "the $arch build has compiler warnings (above)"
        status=1
    else
        echo "the $arch build: no warnings"
    fi
done
exit $status
