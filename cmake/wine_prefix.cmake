# SPDX-License-Identifier: MIT
# Makes the Wine prefix named by WINEPREFIX for the tests, unless an earlier run finished making
# it. Run with cmake -DVORNELIK_WINE=<wine loader> -P; the first run takes a while, later runs
# return at once.
set(ready "$ENV{WINEPREFIX}/vornelik-test-prefix")
if(EXISTS "${ready}")
    return()
endif()
execute_process(COMMAND ${VORNELIK_WINE} wineboot -i RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wineboot -i failed: ${result}")
endif()
# Windows left to no window manager, as on a virtual display: otherwise closing a window waits
# two seconds for a window manager to answer.
execute_process(COMMAND ${VORNELIK_WINE} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot set up the Wine prefix: ${result}")
endif()
# wineboot and reg return before the registry is on disk: wait for the server to write it.
execute_process(COMMAND wineserver -w)
file(TOUCH "${ready}")
