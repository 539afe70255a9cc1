# SPDX-License-Identifier: MIT
# CLI11 for the Windows build. It is header-only, so Debian's headers serve any target; but the
# package's own configuration would put all of the build machine's /usr/include before the
# mingw-w64 headers. This one offers the CLI folder alone.
set(VORNELIK_CLI11_INCLUDE ${CMAKE_BINARY_DIR}/cli11-include)
if(NOT EXISTS ${VORNELIK_CLI11_INCLUDE}/CLI)
    file(MAKE_DIRECTORY ${VORNELIK_CLI11_INCLUDE})
    file(CREATE_LINK /usr/include/CLI ${VORNELIK_CLI11_INCLUDE}/CLI SYMBOLIC)
endif()
if(NOT TARGET CLI11::CLI11)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    set_target_properties(CLI11::CLI11 PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${VORNELIK_CLI11_INCLUDE}
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${VORNELIK_CLI11_INCLUDE})
endif()
set(CLI11_FOUND TRUE)
