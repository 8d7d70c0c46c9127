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

# DLLs planted beside a copy of each exe under system DLLs' names, loaded native-first under Wine:
# none may be loaded beyond those Wine's own builtins load for the least program (the control).
# The planted DLL and the control are C with no run-time library DLL and no canary seeding of
# their own.
if(TARGET Tovaro2KORVANE AND TARGET tovaro2korvane-cli)
    set(planted_names version msimg32 uxtheme dwmapi windowscodecs propsys cryptbase cryptsp winmm
                      dbghelp oleacc profapi userenv dwrite sspicli wtsapi32 bcrypt ntmarta apphelp
                      textshaping msftedit riched20 shfolder mpr)
    list(JOIN planted_names "," planted_list)
    # Wine's own user32 imports version.dll and its comctl32 uxtheme.dll, and calls them: loaded
    # native-first, a planted one ends the control itself, which no program can prevent (Windows
    # takes a KnownDLL's dependencies, and the Common Controls', from the system). These two are
    # planted but loaded builtin-first. The planted msimg32 passes its drawing on to gdi32, as
    # Wine's theming loads and calls it for every program that shows a themed control.
    set(native_first ${planted_names})
    list(REMOVE_ITEM native_first version uxtheme)
    list(JOIN native_first "," native_first)
    add_library(planted_dll SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.c)
    add_library(planted_msimg32 SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.c
                                       ${CMAKE_CURRENT_LIST_DIR}/planted_msimg32.def)
    add_executable(planted_control ${CMAKE_CURRENT_LIST_DIR}/planted_control.c)
    foreach(target planted_dll planted_msimg32 planted_control)
        t2k_warnings(${target})
        target_link_libraries(${target} PRIVATE t2k_win32_api)
        target_compile_options(${target} PRIVATE -fno-stack-protector -U_FORTIFY_SOURCE)
        target_link_options(${target} PRIVATE -static -fno-stack-protector)
    endforeach()
    target_link_libraries(planted_control PRIVATE comctl32 ole32 shell32 gdi32 user32)
    set_target_properties(planted_dll planted_msimg32 PROPERTIES PREFIX "")
    t2k_add_gtest(planted_dlls_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/planted_dlls_test.cpp
        LIBS t2k_platform
        ENVIRONMENT "T2K_WINEDLLOVERRIDES=${native_first}=n,b")
    target_compile_definitions(planted_dlls_test PRIVATE
        T2K_PROGRAM_EXE="$<TARGET_FILE:Tovaro2KORVANE>"
        T2K_CLI_EXE="$<TARGET_FILE:tovaro2korvane-cli>"
        T2K_CONTROL_EXE="$<TARGET_FILE:planted_control>"
        T2K_PLANTED_DLL="$<TARGET_FILE:planted_dll>"
        T2K_PLANTED_MSIMG32="$<TARGET_FILE:planted_msimg32>"
        T2K_PLANTED_NAMES="${planted_list}")
    add_dependencies(planted_dlls_test Tovaro2KORVANE tovaro2korvane-cli planted_dll
                                       planted_msimg32 planted_control)
    target_include_directories(planted_dlls_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    # A window on the one Wine desktop.
    set_tests_properties(planted_dlls_test PROPERTIES RUN_SERIAL TRUE)
endif()
