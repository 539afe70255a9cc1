# SPDX-License-Identifier: MIT
# The 32-bit Windows programs users run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORNELIK_MINGW_PREFIX i686-w64-mingw32)

# IEEE double arithmetic, as on every other build: x87 registers would keep 80-bit
# intermediates and round differently. Every Windows since 8 needs SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
