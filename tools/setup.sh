#!/usr/bin/env bash
# Installs what building and testing need, skipping what is already there,
# and builds the exe and the native tests. Debian, as root (or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

packages=(cmake make g++ libgtest-dev googletest python3 locales
          g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth x11-utils
          imagemagick fonts-wqy-zenhei)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Without this locale Wine falls back to code page 1252.
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
    $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

jobs=$(nproc)
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j "$jobs" >/dev/null
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs" >/dev/null
echo "built build/win32/Brenvo.exe and the native tests"
