# Cross-compiling for 32-bit Windows (the shipped program).
set(QM_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
