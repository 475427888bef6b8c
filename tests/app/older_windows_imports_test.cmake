# Checks that the Windows programs load on Windows 7 SP1: their import tables name no function
# that Windows 7 lacks, since the loader refuses a program that imports one before it runs. Prints
# each program's imports, DLL by DLL:
#     cmake -DOBJDUMP=x86_64-w64-mingw32-objdump "-DPROGRAMS=karsobel.exe;karsobel-pairs.exe"
#           -P older_windows_imports_test.cmake
cmake_minimum_required(VERSION 3.25)

# Functions that a program like these might import and that Windows 7 SP1 lacks, with the Windows
# that brought them, as the "Minimum supported client" of each in Microsoft's API reference.
set(newer_than_windows_7
    # Windows 10 version 1607 and later: per-monitor DPI.
    user32.dll!GetDpiForWindow user32.dll!GetDpiForSystem user32.dll!AdjustWindowRectExForDpi
    user32.dll!GetSystemMetricsForDpi user32.dll!SystemParametersInfoForDpi
    user32.dll!EnableNonClientDpiScaling user32.dll!SetThreadDpiAwarenessContext
    user32.dll!GetThreadDpiAwarenessContext user32.dll!GetWindowDpiAwarenessContext
    user32.dll!GetAwarenessFromDpiAwarenessContext user32.dll!AreDpiAwarenessContextsEqual
    kernel32.dll!SetThreadDescription kernel32.dll!GetThreadDescription
    # Windows 10 version 1703 and 1803.
    user32.dll!SetProcessDpiAwarenessContext user32.dll!GetSystemDpiForProcess
    # Windows 8.1.
    user32.dll!LogicalToPhysicalPointForPerMonitorDPI
    user32.dll!PhysicalToLogicalPointForPerMonitorDPI
    # Windows 8, among them what a compiler's run-time library may reach for.
    kernel32.dll!GetSystemTimePreciseAsFileTime kernel32.dll!CreateFile2
    kernel32.dll!GetCurrentThreadStackLimits kernel32.dll!PrefetchVirtualMemory
    kernel32.dll!SetProcessMitigationPolicy kernel32.dll!GetProcessMitigationPolicy
    kernel32.dll!WaitOnAddress kernel32.dll!WakeByAddressSingle kernel32.dll!WakeByAddressAll)
# DLLs that Windows 7 does not have at all; shcore.dll came with Windows 8.1.
set(dlls_newer_than_windows_7 shcore.dll)

set(failures "")
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ${OBJDUMP} -p ${program}
                    OUTPUT_VARIABLE headers RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} could not read ${program}: ${errors}")
    endif()
    # Each DLL's block: "DLL Name: X", a heading, then one "vma hint name" line a function.
    string(REGEX MATCHALL "DLL Name: [^\n]+\n[^\n]*\n(\t[0-9a-f]+\t +[0-9]+ +[^\n]+\n)*"
           blocks "${headers}")
    if(NOT blocks)
        message(FATAL_ERROR "no import table found in ${program}:\n${headers}")
    endif()
    message(STATUS "${program} imports:")
    foreach(block IN LISTS blocks)
        string(REGEX MATCH "DLL Name: ([^\n]+)" _ "${block}")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
        string(REGEX MATCHALL "\t[0-9a-f]+\t +[0-9]+ +[^\n]+" entries "${block}")
        set(functions "")
        foreach(entry IN LISTS entries)
            string(REGEX REPLACE "^\t[0-9a-f]+\t +[0-9]+ +" "" function "${entry}")
            list(APPEND functions ${function})
            if("${dll}!${function}" IN_LIST newer_than_windows_7)
                string(APPEND failures "${program} imports ${function} from ${dll}\n")
            endif()
        endforeach()
        if(dll IN_LIST dlls_newer_than_windows_7)
            string(APPEND failures "${program} imports ${dll}\n")
        endif()
        list(JOIN functions " " listed)
        message(STATUS "  ${dll}: ${listed}")
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "functions Windows 7 SP1 lacks:\n${failures}")
endif()
