# The About window and the window-menu extension that opens it.
add_library(t2k_about_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/AboutUnit.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/WindowMenu.cpp)
t2k_warnings(t2k_about_ui)
target_link_libraries(t2k_about_ui PUBLIC t2k_about_layout t2k_toolkit t2k_platform version)
