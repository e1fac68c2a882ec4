# The 64-bit Windows build, cross-compiled with MinGW-w64; its tests run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ontop_mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian keeps the 64-bit loader out of PATH; elsewhere "wine" runs 64-bit programs itself.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(ONTOP_WINE64 NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine)
    if(ONTOP_WINE64)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${ONTOP_WINE64})
    endif()
endif()
