// cli_floor INPUT OUTPUT [normal-pages]: the command line's floor as a process of its own, timed
// beside the converter by bench/measure_cli_floor.py.
#include "bench/cli_floor.h"

#include <cstdio>
#include <exception>
#include <string_view>

int main(int argc, char** argv) {
    const bool normal_pages = argc == 4 && std::string_view(argv[3]) == "normal-pages";
    if (argc != 3 && !normal_pages) {
        std::fprintf(stderr, "usage: cli_floor INPUT OUTPUT [normal-pages]\n");
        return 64;
    }
    try {
        t2k::bench::run_cli_floor(argv[1], argv[2],
                                  normal_pages ? t2k::PageSize::normal
                                               : t2k::PageSize::huge_where_offered);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cli_floor: %s\n", error.what());
        return 1;
    }
}
