# The release check's rules for the exes (imports, manifest, hardening) on this build's exes, and
# on a probe that breaks each rule, so the check is seen to catch every one. No Wine needed.
set(check_package ${T2K_TESTS_DIR}/package/check_package.py)
add_executable(release_check_probe ${CMAKE_CURRENT_LIST_DIR}/release_check_probe.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/release_check_probe.rc)
t2k_warnings(release_check_probe)
target_link_libraries(release_check_probe PRIVATE t2k_win32_api comctl32 version)
target_include_directories(release_check_probe PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${CMAKE_CURRENT_LIST_DIR}>)
target_link_options(release_check_probe PRIVATE -Wl,--disable-dynamicbase,--disable-nxcompat
                                                -Wl,--disable-reloc-section)
# Each rule the probe breaks: the test's name, then what the check must say.
set(probe_failures
    "newer_function|imports GetDpiForWindow, which Windows 7 SP1 lacks"
    "dll_that_is_no_known_dll|imports VERSION.dll, not a KnownDLL"
    "common_controls_without_manifest|imports COMCTL32.[dD][lL][lL] without the Common-Controls dependency"
    "elevation|requestedExecutionLevel is \\['requireAdministrator'\\], not asInvoker"
    "supported_systems|supportedOS lacks Windows 8, Windows 8.1, Windows 10 and 11"
    "no_dynamic_base|not DYNAMIC_BASE"
    "no_nx_compat|not NX_COMPAT"
    "no_relocations|no relocations")
# The 64-bit linker always marks an exe large-address-aware.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(release_check_probe PRIVATE -Wl,--disable-large-address-aware)
    list(APPEND probe_failures "not_large_address_aware|not LARGE_ADDRESS_AWARE")
endif()
foreach(row IN LISTS probe_failures)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 rule)
    list(GET row 1 failure)
    add_test(NAME release_check_refuses_${rule}
        COMMAND python3 ${check_package} --exes $<TARGET_FILE:release_check_probe>)
    set_tests_properties(release_check_refuses_${rule} PROPERTIES LABELS win32
        PASS_REGULAR_EXPRESSION "FAILED: release_check_probe.exe: ${failure}")
endforeach()
if(TARGET Tovaro2KORVANE AND TARGET tovaro2korvane-cli)
    add_test(NAME exes_pass_the_release_check
        COMMAND python3 ${check_package} --exes $<TARGET_FILE:Tovaro2KORVANE>
                $<TARGET_FILE:tovaro2korvane-cli>)
    set_tests_properties(exes_pass_the_release_check PROPERTIES LABELS win32
        PASS_REGULAR_EXPRESSION "exes: 2 checked, 0 failed")
endif()

