# Fails unless the program imports from the system's own DLLs only: the C and C++ runtimes must
# be inside it, not DLLs that would have to be shipped beside it. The common controls, common
# dialogs and the shell must not be imported at all: the dialogs are loaded on first use, keeping
# what they drag in (printing, networking) out of an idle program.
# With FORMAT set, the program must also be of that format (pei-i386 for PE32, pei-x86-64), a
# 32-bit one large address aware.
# Usage: cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> [-DFORMAT=<format>] -P check_imports.cmake
cmake_minimum_required(VERSION 3.22...3.25)
# imm32, oleaut32, msimg32 and usp10 are the text box's (Scintilla: input methods, OLE data
# transfer, alpha blending; Uniscribe's line breaking).
set(system_dlls
    kernel32.dll user32.dll gdi32.dll ole32.dll advapi32.dll msvcrt.dll imm32.dll oleaut32.dll
    msimg32.dll usp10.dll)
set(loaded_on_first_use comctl32.dll comdlg32.dll shell32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}: ${errors}")
endif()

if(FORMAT STREQUAL "pei-i386" AND NOT dump MATCHES "large address aware")
    message(FATAL_ERROR "${PROGRAM} is not large address aware: it would have 2 GiB, not 4")
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
# Uniscribe's functions must come from usp10.dll: MinGW's gdi32 also names them, and not every
# Windows' gdi32.dll has them.
string(TOLOWER "${dump}" lower_dump)
string(FIND "${lower_dump}" "dll name: gdi32.dll" gdi32_start)
set(gdi32_imports "")
if(gdi32_start GREATER -1)
    string(SUBSTRING "${dump}" ${gdi32_start} -1 gdi32_imports)
    string(SUBSTRING "${gdi32_imports}" 10 -1 after_name)
    string(FIND "${after_name}" "DLL Name:" next_dll)
    if(next_dll GREATER -1)
        string(SUBSTRING "${after_name}" 0 ${next_dll} gdi32_imports)
    endif()
endif()
if(gdi32_imports MATCHES "Script[A-Z]")
    message(FATAL_ERROR "${PROGRAM} imports Uniscribe's functions from gdi32.dll, not usp10.dll")
endif()
message(STATUS "Imports of ${PROGRAM}: ${imports}")
