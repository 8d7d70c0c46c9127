# The window's translate command on a batch of small files against its floor; under Wine and Xvfb.
if(TARGET t2k_app)
    add_executable(window_batch_vs_floor EXCLUDE_FROM_ALL
                   ${CMAKE_CURRENT_SOURCE_DIR}/window_batch_vs_floor.cpp
                   ${CMAKE_CURRENT_SOURCE_DIR}/gui_floor_win32.cpp)
    t2k_program_resources(window_batch_vs_floor)
    t2k_warnings(window_batch_vs_floor)
    target_link_libraries(window_batch_vs_floor PRIVATE t2k_app t2k_bench_fixtures)
endif()
