# Reads the resources back from the built program and checks its icon (the first icon group, with
# every size), its version record (language and every field) and its manifest (aware of each
# monitor's DPI, supporting Windows 7 to 11), against what the project says:
#     cmake -DWINDRES=x86_64-w64-mingw32-windres -DPROGRAM=karsobel.exe -DICON_SIZES="16;32"
#           -DNAME=Karsobel -DDESCRIPTION=... -DVERSION=1.00 -DVENDOR=... -DCOPYRIGHT=...
#           -P resources_test.cmake
execute_process(COMMAND ${WINDRES} -i ${PROGRAM} -O rc
                OUTPUT_VARIABLE resources RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${WINDRES} could not read ${PROGRAM}: ${errors}")
endif()

# The icon groups (type 14, RT_GROUP_ICON): one, number 1, listing "width height colors pad" as
# octal escapes, 0 standing for 256.
string(REGEX MATCHALL "\n[0-9]+ 14 " groups "${resources}")
if(NOT groups STREQUAL "\n1 14 ")
    message(FATAL_ERROR "${PROGRAM} holds icon groups [${groups}], not group 1 alone:\n${resources}")
endif()
string(REGEX MATCHALL "\"\\\\[0-7]+\\\\[0-7]+\\\\000\\\\000\", 1, 32," entries "${resources}")
set(sizes "")
foreach(entry IN LISTS entries)
    string(REGEX MATCH "([0-7])([0-7])([0-7])\\\\([0-7])([0-7])([0-7])" digits "${entry}")
    # (n + 255) % 256 + 1 leaves 1 to 255 as they are and makes 0 into 256.
    math(EXPR width "(${CMAKE_MATCH_1} * 64 + ${CMAKE_MATCH_2} * 8 + ${CMAKE_MATCH_3} + 255)
                     % 256 + 1")
    math(EXPR height "(${CMAKE_MATCH_4} * 64 + ${CMAKE_MATCH_5} * 8 + ${CMAKE_MATCH_6} + 255)
                      % 256 + 1")
    if(NOT width EQUAL height)
        message(FATAL_ERROR "an icon of ${width} by ${height} pixels in ${PROGRAM}")
    endif()
    list(APPEND sizes ${width})
endforeach()
if(NOT sizes STREQUAL ICON_SIZES)
    message(FATAL_ERROR "${PROGRAM}'s icon has the sizes [${sizes}], not [${ICON_SIZES}]")
endif()

# The process's manifest is resource 1 of type 24, RT_MANIFEST.
if(NOT resources MATCHES "\n1 24 [^\n]*\nBEGIN\n(.*)\nEND")
    message(FATAL_ERROR "no manifest in ${PROGRAM}:\n${resources}")
endif()
set(manifest "${CMAKE_MATCH_1}")
# The compatibility identifiers of Windows 7, 8, 8.1, and 10 and 11, in Microsoft's documentation
# of application manifests.
foreach(expected ">true/pm</dpiAware>" ">PerMonitorV2, PerMonitor</dpiAwareness>"
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}" "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")
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
string(REGEX MATCH "^([0-9]+)\\.0*([0-9]+)$" numbers "${VERSION}")
foreach(expected
        " FILEVERSION ${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, 0, 0\n"
        " PRODUCTVERSION ${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, 0, 0\n"
        "BLOCK \"040C04E4\""
        "VALUE \"CompanyName\", \"${VENDOR}\"\n"
        "VALUE \"FileDescription\", \"${DESCRIPTION}\"\n"
        "VALUE \"FileVersion\", \"${VERSION}\"\n"
        "VALUE \"InternalName\", \"${NAME}\"\n"
        "VALUE \"LegalCopyright\", \"${COPYRIGHT}\"\n"
        "VALUE \"OriginalFilename\", \"karsobel.exe\"\n"
        "VALUE \"ProductName\", \"${NAME}\"\n"
        "VALUE \"ProductVersion\", \"${VERSION}\"\n"
        "VALUE \"Translation\", 0x40c, 1252\n")
    string(FIND "${record}" "${expected}" at)
    if(at EQUAL -1)
        string(APPEND failures "missing: ${expected}\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "version record of ${PROGRAM}:\n${record}\n${failures}")
endif()
message(STATUS "${PROGRAM}: icon, manifest, version record and its language as expected")
