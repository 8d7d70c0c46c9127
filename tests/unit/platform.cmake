# The file services on real files: outputs replaced only when whole, identities, names. Natively
# (POSIX services) and under Wine (Win32 services).
t2k_add_gtest(platform_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/platform_files_test.cpp
            ${T2K_TESTS_DIR}/unit/settings_unwritable.cpp
    LIBS t2k_platform t2k_test_support)
