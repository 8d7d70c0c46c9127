# The About window's layout as a library; its picture is embedded through the program's .rc file.
add_library(t2k_about_layout STATIC ${CMAKE_CURRENT_LIST_DIR}/about_layout.cpp)
t2k_warnings(t2k_about_layout)
target_link_libraries(t2k_about_layout PUBLIC t2k_toolkit)
