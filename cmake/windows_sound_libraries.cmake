# SPDX-License-Identifier: MIT
# The sound libraries of vornelik-cli convert for Windows: Debian's sources cross-built by
# tools/build-windows-sound-libraries.sh into the build folder, once, and linked statically so
# that the program still needs no DLL beyond Windows' own. Defines vornelik_windows_sound.
set(VORNELIK_SOUND_PREFIX ${CMAKE_BINARY_DIR}/sound-libraries)
if(NOT EXISTS ${VORNELIK_SOUND_PREFIX}/done)
    message(STATUS "Building the Windows sound libraries from Debian's sources, once")
    execute_process(
        COMMAND sh ${PROJECT_SOURCE_DIR}/tools/build-windows-sound-libraries.sh
                ${VORNELIK_SOUND_PREFIX} ${CMAKE_BINARY_DIR}/sound-libraries-work
                ${CMAKE_SYSTEM_PROCESSOR}
        RESULT_VARIABLE built)
    if(NOT built EQUAL 0)
        message(FATAL_ERROR "The Windows sound libraries could not be built")
    endif()
endif()
file(READ ${VORNELIK_SOUND_PREFIX}/done VORNELIK_SOUND_BUILD_TIME)
string(STRIP "${VORNELIK_SOUND_BUILD_TIME}" VORNELIK_SOUND_BUILD_TIME)
message(STATUS "Windows sound libraries: ${VORNELIK_SOUND_PREFIX} (${VORNELIK_SOUND_BUILD_TIME})")

add_library(vornelik_windows_sound INTERFACE)
target_include_directories(vornelik_windows_sound INTERFACE ${VORNELIK_SOUND_PREFIX}/include)
# Each library before those it uses.
set(VORNELIK_SOUND_LIBRARIES sndfile vorbisenc vorbis FLAC opus ogg mpg123 mp3lame soxr)
foreach(name ${VORNELIK_SOUND_LIBRARIES})
    target_link_libraries(vornelik_windows_sound INTERFACE ${VORNELIK_SOUND_PREFIX}/lib/lib${name}.a)
endforeach()
# libssp, linked in statically, for Opus's checked copies (its configure script always asks
# for them); shlwapi is Windows' own.
target_link_libraries(vornelik_windows_sound INTERFACE ssp shlwapi)
