# The settings file: our own INI code against the shared table, and load/save/exe_folder on the
# platform's own settings file (our INI code natively, the profile services under Wine).
t2k_add_gtest(settings_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/settings_ini_test.cpp
            ${T2K_TESTS_DIR}/unit/settings_api_test.cpp
            ${T2K_TESTS_DIR}/unit/settings_table.cpp
            ${T2K_TESTS_DIR}/unit/settings_unwritable.cpp
    LIBS t2k_settings t2k_test_support
    ORDINARY_USER)
target_compile_definitions(settings_tests PRIVATE T2K_TEST_PROGRAM_NAME="$<TARGET_FILE_NAME:settings_tests>")
