# The main window.
add_library(t2k_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/MainUnit.cpp)
t2k_warnings(t2k_ui)
target_link_libraries(t2k_ui PUBLIC t2k_main_layout t2k_about_ui t2k_toolkit t2k_convert t2k_settings)
