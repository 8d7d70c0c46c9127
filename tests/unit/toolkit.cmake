# The toolkit's portable half (DPI rounding, text lines, error texts), natively and under Wine.
t2k_add_gtest(toolkit_portable_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/toolkit_portable_test.cpp
    LIBS t2k_toolkit)
# The toolkit's portable pieces the About window is made of: animations and the frame clock, the
# blur, the turn and the image frame.
t2k_add_gtest(toolkit_animation_test LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/toolkit_animation_test.cpp
    LIBS t2k_layouts)
t2k_add_gtest(toolkit_paint_test LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/toolkit_paint_test.cpp
    LIBS t2k_layouts)
