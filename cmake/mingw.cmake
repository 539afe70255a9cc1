# SPDX-License-Identifier: MIT
# Cross-builds self-contained Windows programs with Debian's mingw-w64 compilers, for the
# processor the including toolchain file names (VORNELIK_MINGW_PREFIX, CMAKE_SYSTEM_PROCESSOR).
# The posix thread model is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
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

# CTest runs the Windows test programs under Wine, with the loader of their word size.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    find_program(VORNELIK_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
    set(VORNELIK_WINE_ARCH win64)
else()
    find_program(VORNELIK_WINE wine REQUIRED)
    set(VORNELIK_WINE_ARCH win32)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORNELIK_WINE})

# Header-only libraries of the build machine, offered without the rest of its headers.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw)
