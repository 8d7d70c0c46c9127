// Throughput of the conversion over generated inputs: the reader alone, the window's path (one
// system call per output byte) and the command line's path (buffered), in bytes per second.
#include "bench/bench_host.h"
#include "bench/fixtures.h"
#include "convert/batch.h"
#include "convert/line_reader.h"
#include "convert/output_writer.h"

#include <benchmark/benchmark.h>

namespace t2k::bench {
namespace {

void read_all_lines(const std::vector<std::filesystem::path>& files) {
    for (const auto& file : files) {
        LineReader reader(file.u16string(), CodePage::system(), ReadMode::small_blocks);
        while (!reader.at_end()) {
            benchmark::DoNotOptimize(reader.read_line());
        }
        reader.close();
    }
}

void register_set(const FixtureSet& set, const std::filesystem::path& out) {
    const auto bytes = static_cast<std::int64_t>(set.bytes);
    benchmark::RegisterBenchmark(("reader/" + set.name).c_str(),
                                 [set, bytes](benchmark::State& state) {
                                     for (auto _ : state) {
                                         read_all_lines(set.files);
                                     }
                                     state.SetBytesProcessed(bytes * state.iterations());
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const WriteMode mode : {WriteMode::byte_per_write, WriteMode::buffered}) {
        const std::string name =
            (mode == WriteMode::byte_per_write ? "gui_path/" : "cli_path/") + set.name;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [set, out, mode, bytes](benchmark::State& state) {
                                         BenchHost host(set.files, out);
                                         const ReadMode read = mode == WriteMode::byte_per_write
                                                                   ? ReadMode::small_blocks
                                                                   : ReadMode::large_blocks;
                                         const ConversionOptions options{
                                             CodePage::system(), PathStyle::native(), read, mode};
                                         for (auto _ : state) {
                                             run_batch(host, options);
                                         }
                                         state.SetBytesProcessed(bytes * state.iterations());
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace
} // namespace t2k::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const t2k::bench::ScratchFolder scratch;
    const auto out = scratch.path() / "out";
    std::filesystem::create_directory(out);
    for (const auto& set : t2k::bench::write_fixture_sets(scratch.path())) {
        t2k::bench::register_set(set, out);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
