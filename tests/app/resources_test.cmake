# Reads the resources back from the built program and checks its version record (language and
# every field) and its manifest (aware of each monitor's DPI):
#     cmake -DWINDRES=x86_64-w64-mingw32-windres -DPROGRAM=karsobel.exe -P resources_test.cmake
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
# The version resource, from its language statement to the end of its last block.
if(NOT resources MATCHES "LANGUAGE ([0-9]+), ([0-9]+)\n\n1 VERSIONINFO\n(.*\nEND\n)")
    message(FATAL_ERROR "no version record in ${PROGRAM}:\n${resources}")
endif()
set(language "${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}")
set(record "${CMAKE_MATCH_3}")
string(FIND "${record}" "/* Type:" next)
string(SUBSTRING "${record}" 0 ${next} record)

set(failures "")
# French (France): primary language 12, sublanguage 1.
if(NOT language STREQUAL "12, 1")
    string(APPEND failures "resource language is ${language}, not 12, 1 (French, France)\n")
endif()
foreach(expected
        " FILEVERSION 1, 0, 0, 0\n"
        " PRODUCTVERSION 1, 0, 0, 0\n"
        "BLOCK \"040C04E4\""
        "VALUE \"FileVersion\", \"1.00\"\n"
        "VALUE \"ProductVersion\", \"1.00\"\n"
        "VALUE \"ProductName\", \"Karsobel\"\n"
        "VALUE \"InternalName\", \"Karsobel\"\n"
        "VALUE \"Translation\", 0x40c, 1252\n")
    string(FIND "${record}" "${expected}" at)
    if(at EQUAL -1)
        string(APPEND failures "missing: ${expected}\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "version record of ${PROGRAM}:\n${record}\n${failures}")
endif()
message(STATUS "${PROGRAM}: manifest, version record and its language as expected")
