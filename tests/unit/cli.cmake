# The command-line converter run as a script runs it, natively and under Wine.
if(CMAKE_CROSSCOMPILING)
    set(cli_runner ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
add_test(NAME cli_tests COMMAND ${T2K_TESTS_DIR}/cli/cli_test.sh ${cli_runner} $<TARGET_FILE:tovaro2korvane-cli>)
set_tests_properties(cli_tests PROPERTIES LABELS "unit;cli" PASS_REGULAR_EXPRESSION "cli: [1-9][0-9]* passed, 0 failed"
    ENVIRONMENT "T2K_VERSION=${PROJECT_VERSION}")
