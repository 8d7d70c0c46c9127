// Writes the benchmark inputs into a folder, for the peers run from scripts/bench:
// conversion_fixtures FOLDER.
#include "bench/fixtures.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    // A first argument that looks like an option asks for help, not for a folder of that name.
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: conversion_fixtures FOLDER\n");
        return 64;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (const auto& set : t2k::bench::write_fixture_sets(argv[1])) {
            std::printf("%s %zu files %llu bytes\n", set.name.c_str(), set.files.size(),
                        static_cast<unsigned long long>(set.bytes));
        }
        for (const auto& input : t2k::bench::write_floor_inputs(argv[1])) {
            std::printf("%s\n", input.string().c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "conversion_fixtures: %s\n", error.what());
        return 1;
    }
    return 0;
}
