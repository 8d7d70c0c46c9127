# The release check's rule against functions Windows 7 SP1 lacks, on this build's exes, and on a
# probe that imports one directly, so the check is seen to catch it. No Wine needed.
set(check_package ${T2K_TESTS_DIR}/package/check_package.py)
add_executable(newer_import_probe ${CMAKE_CURRENT_LIST_DIR}/newer_import_probe.cpp)
t2k_warnings(newer_import_probe)
target_link_libraries(newer_import_probe PRIVATE t2k_win32_api)
add_test(NAME release_check_catches_a_newer_import
    COMMAND python3 ${check_package} --imports $<TARGET_FILE:newer_import_probe>)
set_tests_properties(release_check_catches_a_newer_import PROPERTIES LABELS win32
    PASS_REGULAR_EXPRESSION "FAILED: newer_import_probe.exe: imports GetDpiForWindow")
if(TARGET Tovaro2KORVANE AND TARGET tovaro2korvane-cli)
    add_test(NAME exes_import_nothing_newer_than_windows_7
        COMMAND python3 ${check_package} --imports $<TARGET_FILE:Tovaro2KORVANE>
                $<TARGET_FILE:tovaro2korvane-cli>)
    set_tests_properties(exes_import_nothing_newer_than_windows_7 PROPERTIES LABELS win32
        PASS_REGULAR_EXPRESSION "imports: 2 exes, 0 failed")
endif()
