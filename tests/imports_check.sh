#!/usr/bin/env bash
# Fails when a built Windows program imports a DLL that does not ship with Windows.
set -euo pipefail
export LC_ALL=C # objdump translates its headings
allowed='^(kernel32|user32|gdi32|msimg32|gdiplus|comctl32|ole32|oleaut32|shell32|advapi32|msvcrt|psapi|shlwapi|comdlg32|uxtheme|version|imm32|winmm|api-ms-win-.*)\.dll$'
status=0
for exe in "$@"; do
    [ -f "$exe" ] || { echo "missing: $exe"; status=1; continue; }
    dump=$(objdump -p "$exe")
    grep -Eq 'file format pei-(i386|x86-64)' <<<"$dump" || { echo "not PE: $exe"; status=1; }
    while read -r dll; do
        if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
            echo "$exe imports $dll"
            status=1
        fi
    done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
done
[ $status = 0 ] && echo "imports: Windows system DLLs only"
exit $status
