# Checks that the built Windows program is small and needs no DLL beyond Windows' own:
#     cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=karsobel.exe -DMAX_BYTES=250000
#           -P size_and_imports_test.cmake
cmake_minimum_required(VERSION 3.25)
file(SIZE ${PROGRAM} bytes)
if(bytes GREATER MAX_BYTES)
    message(FATAL_ERROR "${PROGRAM} is ${bytes} bytes, more than ${MAX_BYTES}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE headers RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}: ${errors}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
string(REPLACE "DLL Name: " "" imports "${imports}")
string(TOLOWER "${imports}" imports)
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${PROGRAM}:\n${headers}")
endif()
set(windows_own advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
                oleacc.dll
                shell32.dll ucrtbase.dll user32.dll uxtheme.dll)
foreach(dll IN LISTS imports)
    if(NOT dll IN_LIST windows_own)
        message(FATAL_ERROR "${PROGRAM} needs ${dll}, which does not ship with Windows")
    endif()
endforeach()
message(STATUS "${PROGRAM}: ${bytes} bytes, importing ${imports}")
