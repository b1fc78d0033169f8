#!/usr/bin/env bash
# Fails unless the program is a 32-bit Windows GUI program.
set -euo pipefail
export LC_ALL=C # objdump translates its headings
dump=$(objdump -p "$1")
grep -q 'file format pei-i386' <<<"$dump" || { echo "$1 is not a 32-bit PE"; exit 1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$dump" || { echo "$1 is not a GUI program"; exit 1; }
echo "$1: 32-bit Windows GUI program"
