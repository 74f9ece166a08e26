#!/bin/bash
# Installs what building and testing need on Debian 12 (root, or a user with sudo).
# Only missing packages are installed; nothing else on the machine is assumed.
set -euo pipefail
# The shipped 32-bit programs use the win32 thread model compilers; the 64-bit test build
# uses the -posix ones, which GoogleTest needs. NSIS makes the installer; the tests unzip the
# portable download; openssl and osslsigncode sign the signature tests' programs.
packages=(cmake make gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
          mingw-w64-tools wine wine64 xvfb x11-apps imagemagick googletest procps
          nsis unzip openssl osslsigncode
          clang libclang-rt-14-dev)  # the last two: the native fuzz targets (scripts/fuzz.sh)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
