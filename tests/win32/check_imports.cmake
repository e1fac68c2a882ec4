# Fails unless the program imports from the system's own DLLs only: the C and C++ runtimes must
# be inside it, not DLLs that would have to be shipped beside it. The common controls, common
# dialogs and the shell must not be imported at all: the dialogs are loaded on first use, keeping
# what they drag in (printing, networking) out of an idle program.
# With FORMAT set, the program must also be of that format (pei-i386 for PE32, pei-x86-64).
# Usage: cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> [-DFORMAT=<format>] -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls
    kernel32.dll user32.dll gdi32.dll ole32.dll advapi32.dll msvcrt.dll)
set(loaded_on_first_use comctl32.dll comdlg32.dll shell32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}: ${errors}")
endif()

if(FORMAT AND NOT dump MATCHES "file format ${FORMAT}\n")
    string(REGEX MATCH "file format [^\n]+" found "${dump}")
    message(FATAL_ERROR "${PROGRAM} is not ${FORMAT} but has ${found}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "No imports found in ${PROGRAM}")
endif()
set(imports "")
set(foreign "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    list(APPEND imports ${dll})
    if(dll IN_LIST loaded_on_first_use)
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which should be loaded on first use")
    elseif(NOT dll IN_LIST system_dlls)
        list(APPEND foreign ${dll})
    endif()
endforeach()
if(foreign)
    message(FATAL_ERROR "${PROGRAM} needs DLLs that are not the system's: ${foreign}")
endif()
if(NOT "kernel32.dll" IN_LIST imports OR NOT "user32.dll" IN_LIST imports)
    message(FATAL_ERROR "${PROGRAM} lacks the imports every Windows program has: ${imports}")
endif()
message(STATUS "Imports of ${PROGRAM}: ${imports}")
