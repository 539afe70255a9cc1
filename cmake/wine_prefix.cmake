# Makes the Wine prefix named by WINEPREFIX, unless an earlier run finished making it.
# Run with cmake -P; the first run takes a while, later runs return at once.
set(ready "$ENV{WINEPREFIX}/vornelik-ready")
if(EXISTS "${ready}")
    return()
endif()
execute_process(COMMAND wineboot -i RESULT_VARIABLE result)
# wineboot returns before the registry is on disk: wait for the server to write it and stop.
execute_process(COMMAND wineserver -w)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wineboot -i failed: ${result}")
endif()
file(TOUCH "${ready}")
