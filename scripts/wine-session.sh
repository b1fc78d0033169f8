#!/usr/bin/env bash
# Brings up what the Windows programs need: the virtual X screen, the project's Wine prefix
# (code page 936, font replacements) and a persistent wineserver. Safe to run again.
set -euo pipefail
source "$(dirname "$0")/env.sh"
mkdir -p "$QZ_BUILD"

start_xvfb() {
    local n=${QZ_XVFB_DISPLAY#:}
    if ! pgrep -f "Xvfb $QZ_XVFB_DISPLAY " >/dev/null; then
        rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
        setsid Xvfb "$QZ_XVFB_DISPLAY" -screen 0 1024x768x24 -nolisten tcp \
            </dev/null >"$QZ_BUILD/xvfb.log" 2>&1 &
        for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
}

make_prefix() {
    [ -f "$WINEPREFIX/.qz-ready" ] && return
    echo "Creating the Wine prefix in $WINEPREFIX (once, about half a minute)"
    rm -rf "$WINEPREFIX"
    DISPLAY=$QZ_XVFB_DISPLAY "$QZ_WINE" wineboot -i </dev/null >"$QZ_BUILD/wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qz-ready"
}

reg_add() { # key value type data
    DISPLAY=$QZ_XVFB_DISPLAY "$QZ_WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f \
        </dev/null >>"$QZ_BUILD/wineboot.log" 2>&1
}

# Settings are versioned so that an existing prefix picks up new ones.
configure_prefix() {
    local version=2
    [ "$(cat "$WINEPREFIX/.qz-config" 2>/dev/null)" = $version ] && return
    for face in "宋体" "SimSun" "新宋体" "NSimSun"; do
        reg_add 'HKCU\Software\Wine\Fonts\Replacements' "$face" REG_SZ "WenQuanYi Zen Hei"
    done
    reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    # Wine manages its own windows: without a window manager (the virtual screen has none) every
    # hidden or destroyed managed window would wait a second for a state no one sets.
    reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
    echo $version >"$WINEPREFIX/.qz-config"
}

start_wineserver() {
    # A persistent server, and one throw-away process that brings up Wine's services with every
    # output detached, so later programs do not inherit their pipes.
    wineserver -p 2>/dev/null || true # already running is fine
    DISPLAY=$QZ_XVFB_DISPLAY setsid "$QZ_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

start_xvfb
make_prefix
configure_prefix
start_wineserver
