# Shared by the MinGW-w64 toolchain files: the triplet's compilers, resource compiler and
# libraries. Expects ontop_mingw_triplet to be set.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model gives the whole C++ thread library; -static keeps its runtime inside.
find_program(CMAKE_C_COMPILER NAMES ${ontop_mingw_triplet}-gcc-posix ${ontop_mingw_triplet}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ontop_mingw_triplet}-g++-posix ${ontop_mingw_triplet}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ontop_mingw_triplet}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${ontop_mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
