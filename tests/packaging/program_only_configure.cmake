# SPDX-License-Identifier: MIT
# A configure with the tests and the benchmarks off builds the program alone and never asks for
# QtTest; one with only the benchmarks on finds every library they link (the build refuses a
# link line that names no target). Run as: cmake -DSOURCE=... -DWORK=... -P this file.
function(configure folder)
    file(REMOVE_RECURSE ${folder})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${folder} -G Ninja ${ARGN}
        RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "configure ${ARGN} failed:\n${errors}")
    endif()
endfunction()

configure(${WORK}/program-only -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF)
execute_process(COMMAND ninja -C ${WORK}/program-only -t targets all
    OUTPUT_VARIABLE targets COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]*: CXX_EXECUTABLE_LINKER[^\n]*" linked "${targets}")
if(NOT linked MATCHES "^quillory: CXX_EXECUTABLE_LINKER[^;]*$")
    message(FATAL_ERROR "the program-only build links more than the program: ${linked}")
endif()
file(STRINGS ${WORK}/program-only/CMakeCache.txt asked_for_qttest REGEX "^Qt6Test_DIR")
if(asked_for_qttest)
    message(FATAL_ERROR "the program-only build looked for QtTest: ${asked_for_qttest}")
endif()

configure(${WORK}/benchmarks-only -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=ON)
file(REMOVE_RECURSE ${WORK}/program-only ${WORK}/benchmarks-only)
