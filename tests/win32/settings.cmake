# The profile services under Wine, held against the table our INI code passes.
t2k_add_gtest(settings_profile_tests LABEL win32
    SOURCES ${T2K_TESTS_DIR}/win32/settings_profile_test.cpp
            ${T2K_TESTS_DIR}/unit/settings_table.cpp
            ${T2K_TESTS_DIR}/unit/settings_unwritable.cpp
    LIBS t2k_settings t2k_test_support)
# Both once more under the Japanese ANSI code page, 932, which Wine takes from the locale: the rows of
# a double-byte code page, and the others again where a byte may start a two-byte character.
foreach(program settings_tests settings_profile_tests)
    t2k_add_wine_gtest_run(${program}_code_page_932 ${program} win32 300 "LC_ALL=ja_JP.UTF-8")
endforeach()
