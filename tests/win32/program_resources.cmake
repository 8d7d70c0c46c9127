# Both exes' icon and version record, read through the system's own API under Wine.
if(TARGET Tovaro2KORVANE AND TARGET tovaro2korvane-cli)
    t2k_add_gtest(program_resources_test LABEL win32
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_resources_test.cpp
        LIBS t2k_toolkit version shell32)
    target_compile_definitions(program_resources_test PRIVATE
        T2K_PROGRAM_EXE="$<TARGET_FILE:Tovaro2KORVANE>"
        T2K_CLI_EXE="$<TARGET_FILE:tovaro2korvane-cli>")
    add_dependencies(program_resources_test Tovaro2KORVANE tovaro2korvane-cli)
endif()
