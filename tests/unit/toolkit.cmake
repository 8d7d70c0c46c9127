# The toolkit's portable half (DPI rounding, text lines, error texts), natively and under Wine.
t2k_add_gtest(toolkit_portable_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/toolkit_portable_test.cpp
    LIBS t2k_toolkit)
