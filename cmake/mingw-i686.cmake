# SPDX-License-Identifier: MIT
# Cross-builds a self-contained 32-bit Windows program with Debian's mingw-w64 compilers.
# The posix thread model is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VORNELIK_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VORNELIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNELIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNELIK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORNELIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread linked in: the program needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the Windows test programs under Wine.
find_program(VORNELIK_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORNELIK_WINE})

# Header-only libraries of the build machine, offered without the rest of its headers.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw)
