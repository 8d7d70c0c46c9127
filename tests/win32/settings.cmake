# The profile services under Wine, held against the table our INI code passes.
t2k_add_gtest(settings_profile_tests LABEL win32
    SOURCES ${T2K_TESTS_DIR}/win32/settings_profile_test.cpp
            ${T2K_TESTS_DIR}/unit/settings_table.cpp
            ${T2K_TESTS_DIR}/unit/settings_unwritable.cpp
    LIBS t2k_settings t2k_test_support)
