# Benchmarks of the conversion against its floor and its peers; run by scripts/bench, never by ctest.
# Inputs are generated when a benchmark runs, in a temporary folder, so building them costs little.
add_library(t2k_bench_fixtures STATIC EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/fixtures.cpp)
t2k_warnings(t2k_bench_fixtures)
t2k_include_root(t2k_bench_fixtures bench)
# Their temporary folder is the tests' own.
target_link_libraries(t2k_bench_fixtures PUBLIC t2k_test_support)

# The source of a floor written once a platform: NAME_win32.cpp or NAME_posix.cpp.
function(t2k_floor_source out name)
    if(WIN32)
        set(${out} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_win32.cpp PARENT_SCOPE)
    else()
        set(${out} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_posix.cpp PARENT_SCOPE)
    endif()
endfunction()

# The window's path against the same system calls and nothing else; natively and under Wine.
t2k_floor_source(gui_floor_source gui_floor)
add_executable(gui_vs_floor EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/gui_vs_floor.cpp
                                             ${gui_floor_source})
t2k_warnings(gui_vs_floor)
target_link_libraries(gui_vs_floor PRIVATE t2k_convert t2k_bench_fixtures)

add_executable(conversion_fixtures EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/write_fixtures.cpp)
t2k_warnings(conversion_fixtures)
target_link_libraries(conversion_fixtures PRIVATE t2k_bench_fixtures)

if(NOT CMAKE_CROSSCOMPILING)
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        add_executable(conversion_bench EXCLUDE_FROM_ALL
                       ${CMAKE_CURRENT_SOURCE_DIR}/conversion_bench.cpp)
        t2k_warnings(conversion_bench)
        target_link_libraries(conversion_bench PRIVATE t2k_convert t2k_bench_fixtures
                                                       benchmark::benchmark)
    endif()
endif()

# The command line's floor: a stream copy of the input into a new output, a block at a time.
t2k_floor_source(cli_floor_source cli_floor)
add_executable(cli_floor EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/cli_floor_main.cpp
                                          ${cli_floor_source})
t2k_warnings(cli_floor)
t2k_include_root(cli_floor bench)
target_link_libraries(cli_floor PRIVATE t2k_platform)
