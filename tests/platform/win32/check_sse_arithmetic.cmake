# Fails when the twips conversions of the built program divide with the x87 unit: its extended
# precision gives other pixels than the single precision the conversions are made for. The
# 32-bit program cannot run on the build machine, so its machine code is read instead.
# Usage: cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P check_sse_arithmetic.cmake
cmake_minimum_required(VERSION 3.22...3.25)
set(functions
    _ZN8geometry17pixels_from_twipsEff
    _ZN8geometry25nearest_pixels_from_twipsEff
    _ZN8geometry17twips_from_pixelsEdf)

execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${PROGRAM}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}: ${errors}")
endif()

foreach(function IN LISTS functions)
    # The function's code runs from its label to the next blank line.
    string(REGEX MATCH "<_?${function}>:\n([^\n]+\n)+" body "${dump}")
    if(NOT body)
        message(FATAL_ERROR "${function} not found in ${PROGRAM}")
    endif()
    # Loads and stores stay: the 32-bit calling convention returns a float on the x87 stack.
    string(REGEX MATCHALL "\t(fi?(div|mul|add|sub)r?[sl]?p?|frndint) " x87 "${body}")
    if(x87)
        message(FATAL_ERROR "${function} computes with the x87 unit (${x87}):\n${body}")
    endif()
    string(REGEX MATCHALL "\tv?divss " sse_division "${body}")
    if(function MATCHES "pixels_from_twips" AND NOT sse_division)
        message(FATAL_ERROR "${function} has no single-precision SSE division:\n${body}")
    endif()
endforeach()
message(STATUS "Twips conversions of ${PROGRAM} divide in single precision (SSE)")
