// The window's translate command (Button1Click with the real controls) on a batch of small files
// against that batch's own floor, timed alternately in one process:
// window_batch_vs_floor FILES SIZE_BYTES ROUNDS. Prints the medians and their ratio on one line.
#include "app/startup.h"
#include "bench/alternating_rounds.h"
#include "bench/bench_main.h"
#include "bench/fixtures.h"
#include "bench/gui_floor.h"
#include "toolkit/application.h"
#include "toolkit/message_loop.h"
#include "ui/MainUnit.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <windows.h>

namespace t2k::bench {
namespace {

std::u16string file_list(const std::vector<std::filesystem::path>& files) {
    std::u16string list;
    for (const auto& file : files) {
        list += file.u16string() + u"\r\n";
    }
    return list;
}

// What every file of the batch costs at least: the existence test, then the single file's floor.
void run_batch_floor(const std::vector<std::filesystem::path>& files,
                     const std::filesystem::path& out,
                     const std::vector<std::uintmax_t>& output_bytes) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        GetFileAttributesW(files[i].c_str());
        run_gui_floor(files[i], out / files[i].filename(), output_bytes[i]);
    }
}

int run(std::uint32_t count, std::uint64_t size, int rounds) {
    const ScratchFolder scratch;
    const FixtureSet batch = write_small_files(scratch.path() / "in", count, size);
    const auto out = scratch.path() / "out";
    const auto floor_out = scratch.path() / "floor";
    std::filesystem::create_directory(out);
    std::filesystem::create_directory(floor_out);

    Application application;
    register_windows(application);
    application.create_forms();
    process_pending_messages();
    MainForm->FileMemo.set_text(file_list(batch.files));
    MainForm->Edit2.set_text(out.u16string());
    const auto window_path = [] {
        MainForm->Button1.click();
    };
    // A first run warms the cache and gives the sizes of the outputs the floor writes.
    window_path();
    const std::vector<std::u16string> results = MainForm->FinishedMemo.lines();
    if (results.size() != batch.files.size()) {
        throw std::runtime_error("the window did not convert every file");
    }
    std::vector<std::uintmax_t> output_bytes;
    for (const std::u16string& result : results) {
        output_bytes.push_back(std::filesystem::file_size(result));
    }
    const auto floor = [&] {
        run_batch_floor(batch.files, floor_out, output_bytes);
    };

    const Medians medians = alternating_medians(rounds, window_path, floor);
    std::printf("window_s=%.4f floor_s=%.4f ratio=%.3f files=%u file_bytes=%llu rounds=%d\n",
                medians.first_s, medians.second_s, medians.first_s / medians.second_s, count,
                static_cast<unsigned long long>(size), rounds);
    return 0;
}

} // namespace
} // namespace t2k::bench

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: window_batch_vs_floor FILES SIZE_BYTES ROUNDS\n");
        return 64;
    }
    return t2k::bench::run_reporting_errors("window_batch_vs_floor", [&] {
        return t2k::bench::run(static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)),
                               std::strtoull(argv[2], nullptr, 10), std::atoi(argv[3]));
    });
}
