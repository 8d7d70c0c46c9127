// Tovaro files for the conversion benchmarks, written at run time into a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace t2k::bench {

inline constexpr std::uint64_t mebibyte = 1024 * 1024;

// One group of inputs measured together, and their total size.
struct FixtureSet {
    std::string name;
    std::vector<std::filesystem::path> files;
    std::uint64_t bytes = 0;
};

// A file of exactly size bytes: a header line, the marker line, then typical machine-program
// lines of 10 to 60 characters (some underscores) ending in CR LF. The same seed gives the same
// bytes.
void write_program_file(const std::filesystem::path& path, std::uint64_t size, std::uint32_t seed);

// The marker line, then one payload line filling the file to exactly size bytes.
void write_single_line_file(const std::filesystem::path& path, std::uint64_t size);

// Every set of the benchmarks, written into folder: "1MiB", "16MiB", "64MiB" program files,
// "single-line-16MiB", and "2000x8KiB" small program files (in folder/small).
std::vector<FixtureSet> write_fixture_sets(const std::filesystem::path& folder);

// count program files of size bytes each, named 0000.tov, 0001.tov, ... in folder (made here), as
// the set "<count>x<size in KiB>KiB".
FixtureSet write_small_files(const std::filesystem::path& folder, std::uint32_t count,
                             std::uint64_t size);

// A new empty folder under the system's temporary folder, removed with its contents on
// destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace t2k::bench
