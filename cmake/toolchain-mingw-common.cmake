# Shared part of the MinGW-w64 toolchains. VIGILARK_THREADS picks the thread
# model: the shipped 32-bit programs use "win32", whose runtime imports only
# what Windows 95 and XP export; the -posix runtime (needed by GoogleTest)
# imports Vista-only and NT-only functions, so only the 64-bit test build uses it.
set(CMAKE_C_COMPILER   ${VIGILARK_TRIPLET}-gcc-${VIGILARK_THREADS})
set(CMAKE_CXX_COMPILER ${VIGILARK_TRIPLET}-g++-${VIGILARK_THREADS})
set(CMAKE_RC_COMPILER  ${VIGILARK_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VIGILARK_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the executables need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
