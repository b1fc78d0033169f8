# Sourced by the project's scripts: where things live and how Wine is run.
QZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QZ_BUILD=${QZ_BUILD:-$QZ_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$QZ_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# The virtual screen the tests (and a display-less run) use.
QZ_XVFB_DISPLAY=${QZ_XVFB_DISPLAY:-:77}
# Wine's 64-bit loader; its 32-bit one needs a kernel that runs 32-bit Linux programs.
QZ_WINE=/usr/lib/wine/wine64
QZ_BUILD32=$QZ_BUILD/win32
