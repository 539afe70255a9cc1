# SPDX-License-Identifier: MIT
# The 32-bit Windows programs users run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORNELIK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
