# MinGW-w64 cross toolchain for the shipped 32-bit product. The win32 thread
# model keeps the runtime's imports to what Windows 95 and XP have; GoogleTest
# does not build with it, so this build has no tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VIGILARK_TRIPLET i686-w64-mingw32)
set(VIGILARK_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
