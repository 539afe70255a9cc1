# SPDX-License-Identifier: MIT
# The same sources as 64-bit Windows programs, for testing under 64-bit Wine on machines that
# cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORNELIK_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
