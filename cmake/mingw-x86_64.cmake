# The same sources for 64-bit Windows: used to run the tests under wine64 on
# machines whose kernel cannot execute 32-bit code.
set(QM_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
