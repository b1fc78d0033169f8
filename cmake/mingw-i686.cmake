# The shipped build: 32-bit Windows, posix thread model.
set(QZ_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
