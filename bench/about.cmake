# One frame of the About window's software painting (turn, blur, draw over), with Google Benchmark;
# built by scripts/bench with the others, never by a plain build.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        add_executable(about_paint_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/about_paint_bench.cpp)
        t2k_warnings(about_paint_bench)
        target_link_libraries(about_paint_bench PRIVATE t2k_layouts benchmark::benchmark_main)
    endif()
endif()
