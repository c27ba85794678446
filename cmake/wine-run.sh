#!/usr/bin/env bash
# CMake's emulator for the Windows builds: runs a test executable under Wine
# with the Japanese ANSI code page (932), in the build tree's prefix
# (VL_WINEPREFIX, else ./wineprefix of the current directory).
#   wine-run.sh x86|x64 PROGRAM [ARGS...]
set -euo pipefail
arch=$1
shift
export WINEPREFIX=${VL_WINEPREFIX:-${WINEPREFIX:-$PWD/wineprefix}}
exec "$(dirname "$0")/../scripts/lib/vl-wine" --arch "$arch" "$@"
