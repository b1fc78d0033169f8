#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts a program under Wine.
# With a display it opens there; without one it runs on the virtual screen, saves a screenshot
# and closes the program.   Usage: scripts/run.sh [utility|gallery]
set -euo pipefail
here=$(dirname "$0")
"$here/setup-deps.sh"
"$here/build.sh"
source "$here/env.sh"
case "${1:-utility}" in
    utility) exe=app/QzSkin.exe; shot=utility.png ;;
    gallery) exe=samples/Gallery.exe; shot=gallery.png ;;
    *) echo "usage: $0 [utility|gallery]" >&2; exit 2 ;;
esac
echo "Windows program (32-bit, copy it to a Windows machine): $QZ_BUILD32/$exe"
if [ -n "${DISPLAY:-}" ]; then
    export QZ_XVFB_DISPLAY=$DISPLAY
    "$here/wine-session.sh"
    exec "$QZ_WINE" "$QZ_BUILD/$exe"
fi
"$here/wine-session.sh"
export DISPLAY=$QZ_XVFB_DISPLAY
"$QZ_WINE" "$QZ_BUILD/$exe" </dev/null >"$QZ_BUILD/run.log" 2>&1 &
pid=$!
# Wait for the window to be mapped and drawn, then photograph the virtual screen.
for _ in $(seq 100); do
    xdotool search --onlyvisible --name "." >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 2
import -window root "$QZ_BUILD/$shot"
kill "$pid" 2>/dev/null || true
"$QZ_WINE" taskkill /f /im "$(basename "$exe")" >/dev/null 2>&1 || true
echo "Screenshot of the virtual screen: $QZ_BUILD/$shot"
