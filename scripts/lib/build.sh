# The one configure-and-build step of every script: the native tree, the
# Windows tree of an architecture (x86: the 32-bit product, x64), or any
# other tree with its own options.

# The build tree and toolchain of a Windows architecture.
vl_windows_build_dir() {
    case "$1" in x86) echo build/win32 ;; x64) echo build/win64 ;; esac
}
vl_windows_toolchain() {
    case "$1" in x86) echo cmake/toolchain-i686-w64-mingw32.cmake ;; x64) echo cmake/toolchain-x86_64-w64-mingw32.cmake ;; esac
}

# Configures and builds a tree: vl_build DIR [cmake options...] [-- targets...]
vl_build() {
    local dir=$1 options=() targets=() t
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    for t in "$@"; do targets+=(--target "$t"); done
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
    cmake --build "$dir" -j "${VL_JOBS:-$(nproc)}" "${targets[@]}"
}
vl_build_native() { vl_build build/native -- "$@"; }
vl_build_windows() {
    local arch=$1
    shift
    vl_build "$(vl_windows_build_dir "$arch")" -DCMAKE_TOOLCHAIN_FILE="$(vl_windows_toolchain "$arch")" -- "$@"
}

