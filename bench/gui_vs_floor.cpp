// The window's conversion against its floor on one generated file, timed alternately in one
// process: gui_vs_floor SIZE_MIB ROUNDS. Prints the medians and their ratio on one line.
#include "bench/alternating_rounds.h"
#include "bench/bench_main.h"
#include "bench/bench_host.h"
#include "bench/fixtures.h"
#include "bench/gui_floor.h"
#include "convert/batch.h"

#include <cstdio>
#include <cstdlib>

namespace t2k::bench {
namespace {

int run(std::uint64_t mib, int rounds) {
    const ScratchFolder scratch;
    const auto input = scratch.path() / "input.tov";
    write_program_file(input, mib * mebibyte, static_cast<std::uint32_t>(mib));
    BenchHost host({input}, scratch.path());
    const ConversionOptions options{CodePage::system(), PathStyle::native(),
                                    WriteMode::byte_per_write};
    const auto gui_path = [&] {
        run_batch(host, options);
    };
    // A buffered conversion writes the same bytes quickly: it warms the cache and tells the floor
    // how many bytes the output has.
    run_batch(host, ConversionOptions{options.code_page, options.path_style, WriteMode::buffered});
    const std::uint64_t output_bytes = std::filesystem::file_size(scratch.path() / "input.maz");
    const auto floor = [&] {
        run_gui_floor(input, scratch.path() / "floor.out", output_bytes);
    };

    const Medians medians = alternating_medians(rounds, gui_path, floor);
    const double gui = medians.first_s;
    const double floor_time = medians.second_s;
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
    return t2k::bench::run_reporting_errors("gui_vs_floor", [&] {
        return t2k::bench::run(std::strtoull(argv[1], nullptr, 10), std::atoi(argv[2]));
    });
}
