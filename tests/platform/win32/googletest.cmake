# GoogleTest for the Windows builds, compiled from Debian's sources with the cross compiler, and
# the test programs run through the emulator (Wine) when ctest runs them, not while building.
set(ONTOP_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH
    "GoogleTest's sources, built along for the Windows builds")
if(NOT EXISTS ${ONTOP_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources are not at ${ONTOP_GOOGLETEST_SOURCE}: "
                        "install Debian's googletest package or set ONTOP_GOOGLETEST_SOURCE.")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ONTOP_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# The names find_package(GTest) gives, which newer GoogleTest defines itself.
if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
endif()

# Listing the tests needs the emulator, so it waits for ctest; the build needs no Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Without this the C runtime writes CR LF to the pipe ctest reads the test list from, and the
# CRs end up in the test names.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=binmode.o
                OUTPUT_VARIABLE ontop_binmode_object OUTPUT_STRIP_TRAILING_WHITESPACE)
add_link_options(${ontop_binmode_object} -static)

# A 32-bit build on a machine without a 32-bit Wine cannot run its test programs: they are still
# built, but only the checks that run on the build machine itself are registered. Where they do
# run, listing them may wait on Wine starting its services, which outlasts the usual 5 seconds.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(STATUS "No emulator for ${CMAKE_SYSTEM_PROCESSOR} Windows programs: "
                   "their tests are built, not run")
    function(gtest_discover_tests)
    endfunction()
else()
    function(gtest_discover_tests target)
        _gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 ${ARGN})
    endfunction()
endif()
