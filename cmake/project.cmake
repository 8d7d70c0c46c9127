# Helpers every folder uses: warnings on our own code, the Win32 API level, include roots,
# libraries with a per-platform part, and test registration.

function(t2k_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# The Win32 API our code is written against: wide characters, the lean headers, no min/max
# macros, the Windows 10 declarations (newer functions are looked up at run time). Every target
# that links t2k_platform gets them.
add_library(t2k_win32_api INTERFACE)
if(WIN32)
    target_compile_definitions(t2k_win32_api INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                       _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()

# The Windows programs are hardened: stack canaries and checked string and memory calls (libssp's
# checked calls, linked statically like the rest of the run-time library; the canary and the
# failure are platform/win32/stack_protector.cpp's), and the 32-bit exes use up to 4 GiB on 64-bit
# Windows (64-bit ones always may). Address randomisation, no-execute data and relocations are the
# linker's defaults; the release check asserts them all.
if(WIN32)
    add_compile_options(-fstack-protector-strong)
    add_compile_definitions(_FORTIFY_SOURCE=2)
    add_link_options(-fstack-protector-strong)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_link_options(-Wl,--large-address-aware)
    endif()
endif()

# t2k_include_root(TARGET FOLDER...): lets the target and those linking it include
# "FOLDER/file.h" for each folder named, and nothing else of the source tree. Each folder gets a
# root of its own in the build tree (a link to the folder), so an include across the dependency
# arrows fails to compile.
function(t2k_include_root target)
    foreach(folder IN LISTS ARGN)
        set(root ${CMAKE_BINARY_DIR}/include_roots/${folder})
        if(NOT EXISTS ${root}/${folder})
            file(MAKE_DIRECTORY ${root})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
        endif()
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "INTERFACE_LIBRARY")
            target_include_directories(${target} INTERFACE ${root})
        else()
            target_include_directories(${target} PUBLIC ${root})
        endif()
    endforeach()
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

# t2k_add_gtest(NAME LABEL label SOURCES ... LIBS ... [ENVIRONMENT ...] [TIMEOUT s] [ORDINARY_USER])
# Natively every test case is its own CTest test. Under Wine one CTest test runs the whole
# program (one Wine start instead of hundreds), and it passes only when GoogleTest itself reports
# passed tests: a program that exits 0 without running anything must not count as a pass.
# Suites named *AsOrdinaryUser need a user whom permission bits stop (POSIX only): with
# ORDINARY_USER they run apart, in the CTest test <name>.as_ordinary_user, as the account
# tests/support/as_ordinary_user.sh makes when the tests run as root.
function(t2k_add_gtest name)
    cmake_parse_arguments(ARG "ORDINARY_USER" "LABEL;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    set(ordinary_user_suites "*AsOrdinaryUser.*")
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    # Every test may use the folders tests/support/fixtures.sh prepares.
    list(APPEND ARG_ENVIRONMENT "T2K_FIXTURES=${T2K_FIXTURES_DIR}")
    add_executable(${name} ${ARG_SOURCES})
    t2k_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} t2k_test_support GTest::gtest_main GTest::gmock)
    if(CMAKE_CROSSCOMPILING)
        t2k_add_wine_gtest_run(${name} ${name} "${ARG_LABEL}" ${ARG_TIMEOUT} "${ARG_ENVIRONMENT}")
    else()
        gtest_discover_tests(${name}
            TEST_PREFIX "${name}."
            TEST_FILTER "-${ordinary_user_suites}"
            NO_PRETTY_VALUES
            PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${ARG_ENVIRONMENT}"
                       FIXTURES_REQUIRED prepared_folders
            DISCOVERY_TIMEOUT 60)
        if(ARG_ORDINARY_USER)
            add_test(NAME ${name}.as_ordinary_user
                COMMAND ${T2K_TESTS_DIR}/support/as_ordinary_user.sh $<TARGET_FILE:${name}>
                        --gtest_filter=${ordinary_user_suites})
            # Passes only when such tests ran, and none was skipped.
            set_tests_properties(${name}.as_ordinary_user PROPERTIES
                LABELS "${ARG_LABEL}"
                TIMEOUT ${ARG_TIMEOUT}
                PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
                FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|\\[  SKIPPED \\]"
                ENVIRONMENT "${ARG_ENVIRONMENT}"
                FIXTURES_REQUIRED "prepared_folders;ordinary_user")
        endif()
    endif()
endfunction()

# t2k_add_wine_gtest_run(TEST PROGRAM LABEL TIMEOUT ENVIRONMENT): one run of a GoogleTest
# program under Wine as one CTest test (see t2k_add_gtest); a program may run more than once, in
# other environments.
function(t2k_add_wine_gtest_run test program label timeout environment)
    list(APPEND environment "T2K_FIXTURES=${T2K_FIXTURES_DIR}")
    list(REMOVE_DUPLICATES environment)
    # The suites that need an ordinary user are POSIX-only: never under Wine.
    add_test(NAME ${test} COMMAND ${program} --gtest_filter=-*AsOrdinaryUser.*)
    set_tests_properties(${test} PROPERTIES
        LABELS "${label}"
        TIMEOUT ${timeout}
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
        ENVIRONMENT "${environment}"
        FIXTURES_REQUIRED prepared_folders)
endfunction()

# t2k_platform_library(NAME PORTABLE a.cpp ... WIN32 win32/b.cpp ... POSIX posix/c.cpp ...):
# a static library of the portable sources and those of the platform this build is for.
# A part may be empty (POSIX with no sources: the library is Windows-only away from them).
function(t2k_platform_library name)
    cmake_parse_arguments(ARG "" "" "PORTABLE;WIN32;POSIX" ${ARGN})
    if(WIN32)
        set(sources ${ARG_PORTABLE} ${ARG_WIN32})
    else()
        set(sources ${ARG_PORTABLE} ${ARG_POSIX})
    endif()
    add_library(${name} STATIC ${sources})
    t2k_warnings(${name})
endfunction()
