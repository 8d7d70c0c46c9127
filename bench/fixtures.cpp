// Writing the benchmark inputs: deterministic pseudo-random machine-program lines.
#include "bench/fixtures.h"

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace t2k::bench {
namespace {

// "«p2" in Windows-1252.
constexpr std::string_view marker_line = "%\xABp2\r\n";
constexpr std::string_view header_line = "O1000 (BENCH PART)\r\n";

// xorshift32: enough for varied lines, and the same on every platform.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed == 0 ? 1 : seed) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t below(std::uint32_t limit) { return next() % limit; }

private:
    std::uint32_t state_;
};

// A line like "N0120 G01 X12.500 Y-3.25 F_1200": words of a letter and digits, some joined by
// an underscore, 10 to 60 characters.
std::string program_line(Random& random) {
    static constexpr std::string_view letters = "NGXYZIJKFSTMR";
    const std::size_t length = 10 + random.below(51);
    std::string line;
    while (line.size() < length) {
        if (!line.empty()) {
            line += random.below(8) == 0 ? '_' : ' ';
        }
        line += letters[random.below(static_cast<std::uint32_t>(letters.size()))];
        if (random.below(3) == 0) {
            line += '-';
        }
        line += std::to_string(random.below(100000));
        if (random.below(2) == 0) {
            line += '.';
            line += std::to_string(random.below(1000));
        }
    }
    line.resize(length);
    if (line.back() == ' ') {
        line.back() = '0';
    }
    return line;
}

std::ofstream create(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot create " + path.string());
    }
    return out;
}

} // namespace

void write_program_file(const std::filesystem::path& path, std::uint64_t size, std::uint32_t seed) {
    Random random(seed);
    std::string text;
    text.reserve(static_cast<std::size_t>(size) + 128);
    text += header_line;
    text += marker_line;
    while (text.size() < size) {
        text += program_line(random);
        text += "\r\n";
    }
    text.resize(static_cast<std::size_t>(size));
    // The last line keeps its whole line end, so every file ends the way a saved program does.
    text[text.size() - 2] = '\r';
    text[text.size() - 1] = '\n';
    create(path).write(text.data(), static_cast<std::streamsize>(text.size()));
}

void write_single_line_file(const std::filesystem::path& path, std::uint64_t size) {
    std::string text(header_line);
    text += marker_line;
    Random random(7);
    while (text.size() < size) {
        text += program_line(random);
        text += ' ';
    }
    text.resize(static_cast<std::size_t>(size));
    create(path).write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::vector<FixtureSet> write_fixture_sets(const std::filesystem::path& folder) {
    std::vector<FixtureSet> sets;
    for (const std::uint64_t mib : {1, 16, 64}) {
        const auto path = folder / ("program-" + std::to_string(mib) + "MiB.tov");
        write_program_file(path, mib * mebibyte, static_cast<std::uint32_t>(mib));
        sets.push_back({std::to_string(mib) + "MiB", {path}, mib * mebibyte});
    }
    const auto single = folder / "single-line-16MiB.tov";
    write_single_line_file(single, 16 * mebibyte);
    sets.push_back({"single-line-16MiB", {single}, 16 * mebibyte});

    sets.push_back(write_small_files(folder / "small", 2000, 8 * 1024));
    return sets;
}

FixtureSet write_small_files(const std::filesystem::path& folder, std::uint32_t count,
                             std::uint64_t size) {
    FixtureSet small{std::to_string(count) + "x" + std::to_string(size / 1024) + "KiB", {}, 0};
    std::filesystem::create_directory(folder);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, name.size() < 4 ? 4 - name.size() : 0, '0');
        const auto path = folder / (name + ".tov");
        write_program_file(path, size, 1000 + i);
        small.files.push_back(path);
        small.bytes += size;
    }
    return small;
}

ScratchFolder::ScratchFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() / ("t2k-bench-" + std::to_string(stamp));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace t2k::bench
