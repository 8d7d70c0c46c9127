# The About window and the window-menu extension under Wine and Xvfb. Windows on the one Wine
# desktop, so they run one at a time.
if(TARGET t2k_app)
    add_library(t2k_about_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/about_test_support.cpp)
    t2k_warnings(t2k_about_test_support)
    target_link_libraries(t2k_about_test_support PUBLIC t2k_toolkit)
    target_include_directories(t2k_about_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})

    set(about_picture ${CMAKE_SOURCE_DIR}/resources/about/about.rc)
    # The program's own windows and resources, version record included.
    t2k_add_gtest(about_window_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/about_window_test.cpp
        LIBS t2k_about_test_support t2k_main_window_support)
    t2k_program_resources(about_window_test)
    t2k_add_gtest(about_window_menu_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/about_window_menu_test.cpp ${about_picture}
        LIBS t2k_ui t2k_about_test_support)
    # No version record in this one: the fallbacks must show.
    t2k_add_gtest(about_no_version_test LABEL gui
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/about_no_version_test.cpp ${about_picture}
        LIBS t2k_about_ui)
    set_tests_properties(about_window_test about_window_menu_test about_no_version_test
        PROPERTIES RUN_SERIAL TRUE)
endif()

# Not a test: the screenshot script opens the About window of a running program with it.
if(WIN32)
    add_executable(about_open_from_outside ${CMAKE_CURRENT_LIST_DIR}/about_open_from_outside.cpp)
    t2k_warnings(about_open_from_outside)
    target_link_libraries(about_open_from_outside PRIVATE t2k_identity t2k_win32_api)
    target_link_options(about_open_from_outside PRIVATE -municode)
endif()
