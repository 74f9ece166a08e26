# MinGW-w64 cross toolchain for the 64-bit build (the same code as the shipped
# 32-bit product), the one the tests run under wine64: GoogleTest needs -posix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VIGILARK_TRIPLET x86_64-w64-mingw32)
set(VIGILARK_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
