#!/usr/bin/env bash
# Runs a Windows executable under Wine with the Japanese ANSI code page (932).
# The prefix lives in the build tree (VL_WINEPREFIX, else ./wineprefix of the
# current directory); the first caller creates it under a lock so parallel
# tests share one prefix.
set -euo pipefail
prefix=${VL_WINEPREFIX:-${WINEPREFIX:-$PWD/wineprefix}}
export WINEPREFIX=$prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
) 9>"$prefix.lock"
exec wine "$@"
