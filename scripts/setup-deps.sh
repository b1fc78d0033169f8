#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12; does nothing when all is there.
set -euo pipefail
packages=(cmake ninja-build g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix
          mingw-w64-x86-64-dev googletest
          wine wine64 wine32:i386 xvfb xauth imagemagick xdotool fonts-wqy-zenhei locales
          binutils-mingw-w64-i686 procps python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "Generating the zh_CN.UTF-8 locale"
    SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
