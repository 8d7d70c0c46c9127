# Every code page the command line accepts gives the bytes Windows gives: the same table natively
# (our own tables and decoder) and under Wine (the system's conversions).
t2k_add_gtest(code_page_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/code_page_test.cpp
    LIBS t2k_convert)
