# The product's version and identity, written once: project(VERSION) in the top CMakeLists.txt
# and the values below. A generated header carries them to the code and the version records, a
# generated manifest to the exes; scripts read the version from project().
set(T2K_PRODUCT_NAME "Tovaro2KORVANE")
set(T2K_MAKER "Quenby Software")
set(T2K_WEB_ADDRESS "www.quenby-software.example")
set(T2K_BUILD_YEAR 2025)
set(T2K_BUILD_MONTH 10)
set(T2K_BUILD_DAY 7)
set(T2K_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")

set(T2K_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/product_identity.h.in
               ${T2K_GENERATED_DIR}/product_identity.h @ONLY)

# Two manifests from one template: the window program's whole, and the CLI's without the part the
# template marks as the window program's (DPI awareness, the Common-Controls dependency), which a
# console program has no use for.
set(manifest_template ${CMAKE_SOURCE_DIR}/resources/tovaro2korvane.manifest.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest_template})
file(READ ${manifest_template} manifest)
set(T2K_MANIFEST_NAME "${T2K_PRODUCT_NAME}")
string(CONFIGURE "${manifest}" window_manifest @ONLY)
string(REGEX REPLACE "  <!-- window program: -->\n.*  <!-- :window program -->\n" ""
       cli_manifest "${manifest}")
set(T2K_MANIFEST_NAME "${T2K_PRODUCT_NAME}.cli")
string(CONFIGURE "${cli_manifest}" cli_manifest @ONLY)
file(CONFIGURE OUTPUT ${T2K_GENERATED_DIR}/tovaro2korvane.manifest CONTENT "${window_manifest}")
file(CONFIGURE OUTPUT ${T2K_GENERATED_DIR}/tovaro2korvane-cli.manifest CONTENT "${cli_manifest}")

# Include "product_identity.h" (C++ and .rc files alike) by linking this.
add_library(t2k_identity INTERFACE)
target_include_directories(t2k_identity INTERFACE ${T2K_GENERATED_DIR})
