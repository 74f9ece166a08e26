# Shared part of the MinGW-w64 toolchains. The -posix compilers are needed:
# GoogleTest does not build with the win32 thread model.
set(CMAKE_C_COMPILER   ${VIGILARK_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIGILARK_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${VIGILARK_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VIGILARK_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the executables need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
