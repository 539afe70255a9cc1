# SPDX-License-Identifier: MIT
# The Windows downloads, named after the project's version: the target windows_package makes
# vornelik-<version>-win32.zip (the two programs, README.txt, its Turkish BENIOKU.txt and
# LICENSE.txt, nothing else) and
# vornelik-<version>-win32-setup.exe (the installer, built by Debian's makensis) in the build
# folder (make windows-package copies them to dist/). The 64-bit build of the tests' machines
# that run no 32-bit code makes the same files for win64, with a 64-bit installer.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(VORNELIK_PACKAGE_NAME vornelik-${PROJECT_VERSION}-win64)
    set(VORNELIK_NSIS_TARGET amd64-unicode)
else()
    set(VORNELIK_PACKAGE_NAME vornelik-${PROJECT_VERSION}-win32)
    set(VORNELIK_NSIS_TARGET x86-unicode)
endif()
set(VORNELIK_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${VORNELIK_PACKAGE_NAME}.zip)
set(VORNELIK_PACKAGE_SETUP ${CMAKE_BINARY_DIR}/${VORNELIK_PACKAGE_NAME}-setup.exe)
set(VORNELIK_PACKAGE_SOURCE ${PROJECT_SOURCE_DIR}/packaging/windows)
# The five files of the zip, which the installer installs too.
set(stage ${CMAKE_BINARY_DIR}/package)
set(staged_files vornelik.exe vornelik-cli.exe README.txt BENIOKU.txt LICENSE.txt)
list(TRANSFORM staged_files PREPEND ${stage}/ OUTPUT_VARIABLE staged_paths)

find_program(VORNELIK_AWK awk REQUIRED)
find_program(VORNELIK_MAKENSIS makensis)

# Texts for Notepad: CR LF line ends, and UTF-8 only after a byte order mark. The README keeps
# the sections that concern Windows users, BENIOKU.txt (written for them) and the licence pass
# through whole.
add_custom_command(OUTPUT ${staged_paths}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vornelik> $<TARGET_FILE:vornelik-cli> ${stage}
    COMMAND ${VORNELIK_AWK} -v out=${stage}/README.txt -v bom=1 -v version=${PROJECT_VERSION}
            -v "sections=The Windows program|The command line|What it writes"
            -f ${VORNELIK_PACKAGE_SOURCE}/readme_text.awk ${PROJECT_SOURCE_DIR}/README.md
    COMMAND ${VORNELIK_AWK} -v out=${stage}/BENIOKU.txt -v bom=1 -v version=${PROJECT_VERSION}
            -f ${VORNELIK_PACKAGE_SOURCE}/readme_text.awk ${VORNELIK_PACKAGE_SOURCE}/BENIOKU.md
    COMMAND ${VORNELIK_AWK} -v out=${stage}/LICENSE.txt
            -f ${VORNELIK_PACKAGE_SOURCE}/readme_text.awk ${PROJECT_SOURCE_DIR}/LICENSE
    DEPENDS vornelik vornelik-cli ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
            ${VORNELIK_PACKAGE_SOURCE}/BENIOKU.md ${VORNELIK_PACKAGE_SOURCE}/readme_text.awk
    COMMENT "Staging the files of the Windows downloads"
    VERBATIM)

get_filename_component(zip_name ${VORNELIK_PACKAGE_ZIP} NAME)
add_custom_command(OUTPUT ${VORNELIK_PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VORNELIK_PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${VORNELIK_PACKAGE_ZIP} --format=zip ${staged_files}
    DEPENDS ${staged_paths}
    WORKING_DIRECTORY ${stage}
    COMMENT "Zipping ${zip_name}"
    VERBATIM)

if(VORNELIK_MAKENSIS)
    get_filename_component(setup_name ${VORNELIK_PACKAGE_SETUP} NAME)
    add_custom_command(OUTPUT ${VORNELIK_PACKAGE_SETUP}
        COMMAND ${VORNELIK_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
                -DTARGET=${VORNELIK_NSIS_TARGET}
                -DPROGRAM_DIR=${stage} -DTEXT_DIR=${stage}
                -DICON=${PROJECT_SOURCE_DIR}/win32/vornelik.ico
                -DOUTFILE=${VORNELIK_PACKAGE_SETUP} ${VORNELIK_PACKAGE_SOURCE}/vornelik.nsi
        DEPENDS ${staged_paths} ${VORNELIK_PACKAGE_SOURCE}/vornelik.nsi
                ${PROJECT_SOURCE_DIR}/win32/vornelik.ico
        COMMENT "Building ${setup_name} with makensis"
        VERBATIM)
    add_custom_target(windows_package ALL DEPENDS ${VORNELIK_PACKAGE_ZIP} ${VORNELIK_PACKAGE_SETUP})
    if(VORNELIK_TESTS AND CMAKE_CROSSCOMPILING)
        add_subdirectory(tests/windows-package)
    endif()
else()
    message(STATUS "Windows installer: not built (makensis, from Debian's nsis, not found)")
    add_custom_target(windows_package
        COMMAND ${CMAKE_COMMAND} -E echo "makensis not found: install Debian's nsis package"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
