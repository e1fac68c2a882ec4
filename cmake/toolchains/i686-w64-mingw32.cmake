# The 32-bit Windows build, cross-compiled with MinGW-w64. Its programs run only where a 32-bit
# Wine is installed (Debian's wine32 needs the i386 architecture), so no emulator is assumed.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ontop_mingw_triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian's 32-bit loader, present only with wine32 installed.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR AND EXISTS /usr/lib/wine/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
endif()
