# 64-bit Windows: built only for the tests, where the machine's kernel cannot
# run 32-bit programs and so Wine cannot run the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
