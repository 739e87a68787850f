# Cross-compiling for Windows with Debian's mingw-w64 (win32 threads), for
# the triplet TOOLCHAIN_PREFIX that toolchain-i686.cmake or
# toolchain-x86_64.cmake sets before including this.
# Libraries and headers are looked for only under CMAKE_FIND_ROOT_PATH
# (the static libraries built by tools/setup/windows.sh); programs on the host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
