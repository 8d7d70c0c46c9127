# The product version, as project(VERSION) in the top CMakeLists.txt writes it once, and the
# build date beside it.
# Source it from the repository's root: version=$(t2k_version).
t2k_version() {
    sed -n 's/^project(Tovaro2KORVANE VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# The build date as cmake/identity.cmake writes it once: "YEAR MONTH DAY".
t2k_build_date() {
    local part
    for part in YEAR MONTH DAY; do
        sed -n "s/^set(T2K_BUILD_$part \\([0-9]*\\))/\\1/p" cmake/identity.cmake
    done | paste -sd ' '
}
