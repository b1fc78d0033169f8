#!/usr/bin/env bash
# Builds the tested 64-bit tree into build/ and the shipped 32-bit programs into build/win32/.
set -euo pipefail
source "$(dirname "$0")/env.sh"
configure() { # build-dir toolchain extra-args...
    local dir=$1 toolchain=$2
    shift 2
    [ -f "$dir/build.ninja" ] && return
    cmake -S "$QZ_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$QZ_ROOT/cmake/$toolchain" "$@" >/dev/null
}
configure "$QZ_BUILD" mingw-x86_64.cmake
configure "$QZ_BUILD32" mingw-i686.cmake -DBUILD_TESTING=OFF
cmake --build "$QZ_BUILD"
cmake --build "$QZ_BUILD32"
