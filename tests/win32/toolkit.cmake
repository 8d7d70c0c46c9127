# The toolkit under Wine: forms, catch-all, message boxes, modal show. Windows on the Wine desktop,
# so they run one at a time.
t2k_add_gtest(toolkit_test LABEL win32
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/toolkit_test.cpp
    LIBS t2k_toolkit t2k_message_box_recorder)
set_tests_properties(toolkit_test PROPERTIES RUN_SERIAL TRUE)
