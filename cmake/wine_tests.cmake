# SPDX-License-Identifier: MIT
# Test set-up for the Windows build: GoogleTest compiled from source, the tests run under Wine.
# Included at the top, so that every folder of tests finds what it sets.

# Debian ships GoogleTest's sources but no mingw build of it. SYSTEM keeps its headers out of
# our warnings; its own sources get its own flags, not our -Werror.
set(VORNELIK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF)
add_subdirectory(${VORNELIK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
set_property(TARGET gtest gtest_main gmock gmock_main PROPERTY COMPILE_OPTIONS "")

# A prefix of the programs' word size in the build folder, quiet, with no offer to install Mono
# or Gecko, and no display: the core tests are console programs. WINELOADER tells Wine's own
# programs (wineboot, reg) which loader to start.
set(VORNELIK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
set(VORNELIK_WINE_ENV
    "WINEPREFIX=${VORNELIK_WINE_PREFIX}" "WINEARCH=${VORNELIK_WINE_ARCH}"
    "WINELOADER=${VORNELIK_WINE}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
# LANGUAGE=en keeps the programs English on a Turkish host, whose language Wine takes for the
# display language.
set(VORNELIK_TEST_ENV ${VORNELIK_WINE_ENV} "DISPLAY=" "LANGUAGE=en")
# Every test program runs in that prefix, whatever environment its test sets.
set(CMAKE_CROSSCOMPILING_EMULATOR env ${VORNELIK_WINE_ENV} ${VORNELIK_WINE})

# The prefix is made once, before the first test that needs it.
add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -DVORNELIK_WINE=${VORNELIK_WINE}
                                  -P ${PROJECT_SOURCE_DIR}/cmake/wine_prefix.cmake)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${VORNELIK_TEST_ENV}")
set(VORNELIK_TEST_FIXTURES wine)
