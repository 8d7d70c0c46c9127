# The main window's layout as a library; its picture is embedded through the program's .rc file.
add_library(t2k_main_layout STATIC ${CMAKE_CURRENT_LIST_DIR}/main_form_layout.cpp)
t2k_warnings(t2k_main_layout)
target_link_libraries(t2k_main_layout PUBLIC t2k_toolkit)

# t2k_program_resources(target): the program's .rc (manifest, version record, every window's
# pictures) compiled into an exe; windres finds each picture beside its window's .rc file.
function(t2k_program_resources target)
    set(dir ${CMAKE_SOURCE_DIR}/resources)
    target_sources(${target} PRIVATE ${dir}/tovaro2korvane.rc)
    target_include_directories(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:${dir}/main> $<$<COMPILE_LANGUAGE:RC>:${dir}/about>)
endfunction()
