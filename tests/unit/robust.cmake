# Robustness: faults on real files, big and strange inputs, damaged settings files; natively and
# under Wine.
t2k_add_gtest(robust_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/robust_faults_test.cpp
            ${T2K_TESTS_DIR}/unit/robust_inputs_test.cpp
            ${T2K_TESTS_DIR}/unit/robust_settings_test.cpp
    LIBS t2k_convert t2k_settings
    TIMEOUT 600)
if(NOT CMAKE_CROSSCOMPILING)
    target_sources(robust_tests PRIVATE ${T2K_TESTS_DIR}/unit/robust_memory_test.cpp)
    target_compile_definitions(robust_tests PRIVATE
        T2K_CLI_PROGRAM="$<TARGET_FILE:tovaro2korvane-cli>")
    add_dependencies(robust_tests tovaro2korvane-cli)
endif()
