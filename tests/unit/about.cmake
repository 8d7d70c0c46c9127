# The About window's portable pieces: animations, frame clock, blur, turning and the image frame.
t2k_add_gtest(about_animation_test LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/about_animation_test.cpp
    LIBS t2k_about_layout)
t2k_add_gtest(about_paint_test LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/about_paint_test.cpp
    LIBS t2k_about_layout)
