# Reads the manifest back from the built program and checks that it declares the program aware of
# each monitor's DPI:
#     cmake -DWINDRES=x86_64-w64-mingw32-windres -DPROGRAM=karsobel.exe -P manifest_test.cmake
execute_process(COMMAND ${WINDRES} -i ${PROGRAM} -O rc
                OUTPUT_VARIABLE resources RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${WINDRES} could not read ${PROGRAM}: ${errors}")
endif()
# The process's manifest is resource 1 of type 24, RT_MANIFEST.
if(NOT resources MATCHES "\n1 24 [^\n]*\nBEGIN\n(.*)\nEND")
    message(FATAL_ERROR "no manifest in ${PROGRAM}:\n${resources}")
endif()
set(manifest "${CMAKE_MATCH_1}")
foreach(expected ">true/pm</dpiAware>" ">PerMonitorV2, PerMonitor</dpiAwareness>")
    string(FIND "${manifest}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the manifest of ${PROGRAM} lacks ${expected}:\n${manifest}")
    endif()
endforeach()
