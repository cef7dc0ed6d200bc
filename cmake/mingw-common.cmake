# Shared by both cross toolchains: a Windows target built with the win32
# thread model of mingw-w64. The posix model links winpthreads, which
# imports GetTickCount64 from kernel32; Windows XP has no such export and
# refuses to start the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${SERTAVO_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${SERTAVO_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER  ${SERTAVO_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SERTAVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
