# The conversion core on real files: natively (POSIX services) and under Wine (Win32 services).
t2k_add_gtest(convert_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/convert_line_reader_test.cpp
            ${T2K_TESTS_DIR}/unit/convert_plain_run_test.cpp
            ${T2K_TESTS_DIR}/unit/convert_translation_test.cpp
            ${T2K_TESTS_DIR}/unit/convert_batch_test.cpp
    LIBS t2k_convert)
