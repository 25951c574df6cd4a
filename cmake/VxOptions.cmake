# Project-wide compile settings: warnings, sanitizers and libFuzzer instrumentation.

option(VX_WERROR "Treat warnings as errors" OFF)
set(VX_SANITIZE "" CACHE STRING "Sanitizers to build with: empty, 'address;undefined' or 'thread'")
option(VX_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(VX_BUILD_APP "Build the Qt application, the skin engine and the demo" ON)
option(VX_BUILD_TESTS "Build the test suites" ON)
option(VX_BUILD_BENCH "Build the benchmarks" ON)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_compile_options(-Wall -Wextra -Wpedantic)
if(VX_WERROR)
    add_compile_options(-Werror)
endif()

if(VX_SANITIZE)
    string(REPLACE ";" "," _vx_san "${VX_SANITIZE}")
    add_compile_options(-fsanitize=${_vx_san} -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=${_vx_san})
    if("undefined" IN_LIST VX_SANITIZE)
        add_compile_options(-fno-sanitize-recover=undefined)
    endif()
endif()

if(VX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VX_FUZZ needs clang (configure with CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# vx_add_fuzzer(<name> SOURCES ... LIBS ... CORPUS <dir>)
# Builds a libFuzzer target and registers a bounded CTest run over its seed corpus.
function(vx_add_fuzzer name)
    if(NOT VX_FUZZ)
        return()
    endif()
    cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT F_SECONDS)
        set(F_SECONDS 8)
    endif()
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(_work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    # libFuzzer adds what it finds to the first directory; keep the committed seeds read only.
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                sh -c "mkdir -p '${_work}' && exec \"$0\" -max_total_time=${F_SECONDS} -timeout=5 -rss_limit_mb=2560 -print_final_stats=1 '${_work}' '${F_CORPUS}'"
                $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
