// The window's conversion against its floor on one generated file, timed alternately in one
// process: gui_vs_floor SIZE_MIB ROUNDS. Prints the medians and their ratio on one line.
#include "bench/bench_host.h"
#include "bench/fixtures.h"
#include "bench/gui_floor.h"
#include "convert/batch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace t2k::bench {
namespace {

template <typename Work> double seconds_of(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

int run(std::uint64_t mib, int rounds) {
    const ScratchFolder scratch;
    const auto input = scratch.path() / "input.tov";
    write_program_file(input, mib * mebibyte, static_cast<std::uint32_t>(mib));
    BenchHost host({input}, scratch.path());
    const ConversionOptions options{CodePage::system(), PathStyle::native(), ReadMode::small_blocks,
                                    WriteMode::byte_per_write};
    const auto gui_path = [&] {
        run_batch(host, options);
    };
    // A buffered conversion writes the same bytes quickly: it warms the cache and tells the floor
    // how many bytes the output has.
    run_batch(host, ConversionOptions{options.code_page, options.path_style, ReadMode::large_blocks,
                                      WriteMode::buffered});
    const std::uint64_t output_bytes = std::filesystem::file_size(scratch.path() / "input.maz");
    const auto floor = [&] {
        run_gui_floor(input, scratch.path() / "floor.out", output_bytes);
    };

    std::vector<double> gui_times;
    std::vector<double> floor_times;
    for (int round = 0; round < rounds; ++round) {
        // Which one goes first changes every round, so a drift in the machine's load hits both.
        if (round % 2 == 0) {
            gui_times.push_back(seconds_of(gui_path));
            floor_times.push_back(seconds_of(floor));
        } else {
            floor_times.push_back(seconds_of(floor));
            gui_times.push_back(seconds_of(gui_path));
        }
    }
    const double gui = median(gui_times);
    const double floor_time = median(floor_times);
    std::printf("gui_path_s=%.4f floor_s=%.4f ratio=%.3f input_bytes=%llu output_bytes=%llu "
                "rounds=%d\n",
                gui, floor_time, gui / floor_time, static_cast<unsigned long long>(mib * mebibyte),
                static_cast<unsigned long long>(output_bytes), rounds);
    return 0;
}

} // namespace
} // namespace t2k::bench

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gui_vs_floor SIZE_MIB ROUNDS\n");
        return 64;
    }
    try {
        return t2k::bench::run(std::strtoull(argv[1], nullptr, 10), std::atoi(argv[2]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gui_vs_floor: %s\n", error.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "gui_vs_floor: the conversion failed\n");
        return 1;
    }
}
