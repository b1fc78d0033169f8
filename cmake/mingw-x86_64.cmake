# The tested build: 64-bit Windows, posix thread model. This machine's kernel cannot run 32-bit
# Linux programs, so Wine runs only 64-bit Windows code here; the sources are the same.
set(QZ_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
