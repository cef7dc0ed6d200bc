# The product: a PE32 for Windows XP.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SERTAVO_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
