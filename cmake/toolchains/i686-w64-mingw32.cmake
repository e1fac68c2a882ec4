# The 32-bit Windows build, cross-compiled with MinGW-w64. Its programs run only where a 32-bit
# Wine is installed (Debian's wine32 needs the i386 architecture), so no emulator is assumed.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ontop_mingw_triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Debian's 32-bit loader, present only with wine32 installed.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR AND EXISTS /usr/lib/wine/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
endif()

# Single-precision arithmetic as the 64-bit build does it: GCC's default x87 code keeps a
# quotient in extended precision up to the rounding of Int(), so twips divided back to pixels
# could land a pixel off and creep on every always-on-top toggle. SSE2 is on every processor
# that runs Windows 7 and later.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
