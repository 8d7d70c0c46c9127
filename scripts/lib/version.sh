# The product version, as project(VERSION) in the top CMakeLists.txt writes it once.
# Source it from the repository's root: version=$(t2k_version).
t2k_version() {
    sed -n 's/^project(Tovaro2KORVANE VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}
