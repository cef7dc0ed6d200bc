# The same sources for x86-64, for the test suite on hosts that cannot run
# 32-bit code natively (their Wine runs 64-bit programs only, or 32-bit ones
# through an emulator at a fraction of the speed).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SERTAVO_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
