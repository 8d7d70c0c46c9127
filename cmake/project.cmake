# Helpers every folder uses: warnings on our own code and test registration.

function(t2k_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(WIN32)
        target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0A00 WINVER=0x0A00)
    endif()
endfunction()

# GoogleTest: Debian's package natively, compiled from Debian's sources for the Windows builds.
macro(t2k_find_googletest)
    if(CMAKE_CROSSCOMPILING)
        set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    else()
        find_package(GTest REQUIRED)
    endif()
    include(GoogleTest)
endmacro()

# t2k_add_gtest(NAME LABEL label SOURCES ... LIBS ... [ENVIRONMENT ...] [TIMEOUT s])
# Natively every test case is its own CTest test. Under Wine one CTest test runs the whole
# program (one Wine start instead of hundreds), and it passes only when GoogleTest itself reports
# passed tests: a program that exits 0 without running anything must not count as a pass.
function(t2k_add_gtest name)
    cmake_parse_arguments(ARG "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    # Every test may use the folders tests/support/fixtures.sh prepares.
    list(APPEND ARG_ENVIRONMENT "T2K_FIXTURES=${T2K_FIXTURES_DIR}")
    add_executable(${name} ${ARG_SOURCES})
    t2k_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} t2k_test_support GTest::gtest_main GTest::gmock)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            LABELS "${ARG_LABEL}"
            TIMEOUT ${ARG_TIMEOUT}
            PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
            FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
            ENVIRONMENT "${ARG_ENVIRONMENT}"
            FIXTURES_REQUIRED prepared_folders)
    else()
        gtest_discover_tests(${name}
            TEST_PREFIX "${name}."
            NO_PRETTY_VALUES
            PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${ARG_ENVIRONMENT}"
                       FIXTURES_REQUIRED prepared_folders
            DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# t2k_platform_library(NAME): a static library of the folder's portable *.cpp and those of its
# win32/ or posix/ subfolder, whichever this build is for.
function(t2k_platform_library name)
    if(WIN32)
        set(platform_folder win32)
    else()
        set(platform_folder posix)
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${platform_folder}/*.cpp)
    add_library(${name} STATIC ${sources})
    t2k_warnings(${name})
endfunction()
