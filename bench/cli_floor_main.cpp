// cli_floor INPUT OUTPUT: the command line's floor as a process of its own, timed beside the
// converter by bench/measure_cli_floor.py.
#include "bench/cli_floor.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cli_floor INPUT OUTPUT\n");
        return 64;
    }
    try {
        t2k::bench::run_cli_floor(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cli_floor: %s\n", error.what());
        return 1;
    }
}
