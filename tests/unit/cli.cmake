# The command-line converter run as a script runs it, natively and under Wine. Under Wine every
# code page's output is compared with the native build's (built first by scripts/test).
if(CMAKE_CROSSCOMPILING)
    set(cli_runner ${CMAKE_CROSSCOMPILING_EMULATOR})
    set(cli_environment "T2K_NATIVE_CLI=${CMAKE_SOURCE_DIR}/build/native/cli/tovaro2korvane-cli")
endif()
add_test(NAME cli_tests COMMAND ${T2K_TESTS_DIR}/cli/cli_test.sh ${cli_runner} $<TARGET_FILE:tovaro2korvane-cli>)
list(APPEND cli_environment "T2K_VERSION=${PROJECT_VERSION}")
set_tests_properties(cli_tests PROPERTIES LABELS "unit;cli" TIMEOUT 1500
    PASS_REGULAR_EXPRESSION "cli: [1-9][0-9]* passed, 0 failed"
    ENVIRONMENT "${cli_environment}")

# The command line's own parsing: arguments and --files-from lists, natively and under Wine.
t2k_add_gtest(cli_parsing_tests LABEL unit
    SOURCES ${T2K_TESTS_DIR}/unit/cli_parsing_test.cpp
    LIBS t2k_cli)
