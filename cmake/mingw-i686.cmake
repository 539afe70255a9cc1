# SPDX-License-Identifier: MIT
# Cross-builds a self-contained 32-bit Windows program with Debian's mingw-w64 compilers.
# The posix thread model is the one whose libstdc++ has std::thread and std::mutex.
# The programs ship for i686. A machine whose kernel runs no 32-bit programs, where 32-bit Wine
# cannot start, builds and tests the same sources for x86_64 under wine64 with
# -DVORNELIK_WINDOWS_PROCESSOR=x86_64.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VORNELIK_WINDOWS_PROCESSOR)
    set(VORNELIK_WINDOWS_PROCESSOR i686)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${VORNELIK_WINDOWS_PROCESSOR})

set(VORNELIK_MINGW_PREFIX ${VORNELIK_WINDOWS_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${VORNELIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNELIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNELIK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORNELIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# IEEE double arithmetic, as on every other build: x87 registers would keep 80-bit
# intermediates and round differently. Every Windows since 8 needs SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# libstdc++, libgcc and winpthread linked in: the program needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the Windows test programs under Wine.
if(VORNELIK_WINDOWS_PROCESSOR STREQUAL "x86_64")
    find_program(VORNELIK_WINE wine64 PATHS /usr/lib/wine REQUIRED)
    set(VORNELIK_WINE_ARCH win64)
else()
    find_program(VORNELIK_WINE wine REQUIRED)
    set(VORNELIK_WINE_ARCH win32)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORNELIK_WINE})

# Header-only libraries of the build machine, offered without the rest of its headers.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw)
