#!/usr/bin/env bash
# Both Windows builds, the 32-bit product and the 64-bit one, whatever this host
# can execute: compiling needs no Wine. A compiler warning fails the stage, and
# so does a program that imports a DLL the system does not always take from
# its own folder (the KnownDLLs): the programs run elevated from download
# folders, where a DLL planted beside them would load before any of their code
# runs. Everything else (uxtheme, comctl32) is loaded at run time, once the
# search path is restricted.
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
    case $arch in x86) objdump=i686-w64-mingw32-objdump ;; x64) objdump=x86_64-w64-mingw32-objdump ;; esac
    for exe in app/VellInstaller.exe tools/vellfont/vellfont.exe; do
        [ -f "$(vl_windows_build_dir "$arch")/$exe" ] || continue
        imports=$("$objdump" -p "$(vl_windows_build_dir "$arch")/$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
        unsafe=$(echo "$imports" | grep -vxE 'advapi32\.dll|comdlg32\.dll|gdi32\.dll|kernel32\.dll|msvcrt\.dll|ole32\.dll|shell32\.dll|user32\.dll' || true)
        if [ -n "$unsafe" ]; then
            echo "the $arch $exe imports DLLs that could be planted beside it: $unsafe"
            status=1
        else
            echo "the $arch $exe imports only known system DLLs: $(echo $imports)"
        fi
    done
done
exit $status
