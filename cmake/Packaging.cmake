# SPDX-License-Identifier: MIT
# The Debian package, built by `cpack -G DEB` from what the install rules put in place.
set(VORNELIK_MAINTAINER "Vornelik developers <vornelik@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Vornelik developers")
set(CPACK_PACKAGE_CONTACT "${VORNELIK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sound recording to Proton BASIC code for PIC18F4620")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories the install creates on its own get the usual 0755, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORNELIK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's icon is SVG, which Qt draws through the plugins of its SVG library; shlibdeps
# cannot see a plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# The layout was measured with Liberation Sans, the face the window asks for when the designed
# one is missing; Qt's own dialog texts in Turkish, to match the program's; the completion.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS bash-completion)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this as the synopsis line.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vornelik turns a short 8-bit 8 kHz PCM recording into Proton BASIC source for"
    "a PIC18F4620 microcontroller that plays the sound back through its PORTB."
    "The recording is trimmed by start and end byte offsets and stored at good"
    "quality (every byte) or poor quality (every second byte); the program checks"
    "the range against the file and the chip's program memory, then writes a"
    "complete program (.bas) or only the sample table (.inc)."
    ""
    "The window's texts are in Turkish.")

include(CPack)
