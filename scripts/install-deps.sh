#!/usr/bin/env bash
# Installs everything the build, the tests and the demo run need on Debian 12.
# Idempotent: when every package is already present it returns at once.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    googletest libgtest-dev libbenchmark-dev libcli11-dev
    libdeflate-dev zlib1g-dev nlohmann-json3-dev libfontconfig-dev fontconfig
    clang-14 libclang-rt-14-dev clang-format-14
    wine wine32:i386 wine64
    xvfb xdotool imagemagick x11-utils twm
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core opentype-sanitizer
    locales
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages (${missing[*]}); run as root" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine maps Japanese file names only with this locale present.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    if [ "$(id -u)" -eq 0 ]; then
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
fi
