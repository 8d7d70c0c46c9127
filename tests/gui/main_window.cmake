# The main window, its start-up and the exe itself under Wine and Xvfb. Windows on the one Wine
# desktop, so they run one at a time.
if(TARGET t2k_app)
    add_library(t2k_main_window_support INTERFACE)
    target_link_libraries(t2k_main_window_support INTERFACE t2k_app t2k_message_box_recorder
                                                            t2k_test_support)
    target_include_directories(t2k_main_window_support INTERFACE ${CMAKE_CURRENT_LIST_DIR})

    # A pasted list of 5,000 files is converted whole: a minute or more under Wine on a busy machine.
    t2k_add_gtest(main_window_test LABEL gui TIMEOUT 900
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
        LIBS t2k_main_window_support)
    t2k_program_resources(main_window_test)

    t2k_add_gtest(main_window_drop_and_cursor_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_drop_and_cursor_test.cpp
        LIBS t2k_main_window_support)
    t2k_program_resources(main_window_drop_and_cursor_test)

    t2k_add_gtest(main_window_choosers_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_choosers_test.cpp
        LIBS t2k_main_window_support)
    t2k_program_resources(main_window_choosers_test)

    # Each DPI twice: with the system's per-monitor DPI functions and with only those Windows 7
    # has (the "_win7" programs), which must give the same layout.
    set(layout_tests)
    foreach(dpi 96 144)
        foreach(variant "" _win7)
            set(layout_test main_window_layout_${dpi}dpi${variant}_test)
            t2k_add_gtest(${layout_test} LABEL gui
                SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_layout_test.cpp
                LIBS t2k_main_window_support)
            t2k_program_resources(${layout_test})
            target_compile_definitions(${layout_test} PRIVATE T2K_EXPECTED_DPI=${dpi})
            if(variant)
                target_compile_definitions(${layout_test} PRIVATE T2K_WINDOWS_7_DPI_FUNCTIONS_ONLY)
            endif()
            if(dpi EQUAL 144)
                set_property(TEST ${layout_test} APPEND PROPERTY
                    ENVIRONMENT "T2K_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-144dpi")
            endif()
            list(APPEND layout_tests ${layout_test})
        endforeach()
    endforeach()

    t2k_add_gtest(e2e_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/e2e_test.cpp
        LIBS t2k_main_window_support)
    target_compile_definitions(e2e_test PRIVATE T2K_PROGRAM_EXE="$<TARGET_FILE:Tovaro2KORVANE>")
    add_dependencies(e2e_test Tovaro2KORVANE)

    set_tests_properties(main_window_test main_window_drop_and_cursor_test main_window_choosers_test ${layout_tests}
        e2e_test PROPERTIES RUN_SERIAL TRUE)
endif()
