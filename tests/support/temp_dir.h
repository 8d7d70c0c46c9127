// Test support: a fresh temporary folder with real files, and byte-level file helpers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k::test {

// A new empty folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing delimiter.
    const std::u16string& path() const { return path_; }
    // A name inside the folder.
    std::u16string file(std::u16string_view name) const;

private:
    std::u16string path_;
};

void write_bytes(const std::u16string& path, std::string_view bytes);
std::string read_bytes(const std::u16string& path);
bool path_exists(const std::u16string& path);
void make_folder(const std::u16string& path);
// The names in a folder, sorted: what a test expects to find there and nothing else.
std::vector<std::u16string> names_in(const std::u16string& folder);

// A folder prepared outside the test program by tests/support/fixtures.sh (the test's
// environment names it in T2K_FIXTURES): "readonly" (really unwritable, even for root) and "tiny"
// (a 64 KiB file system). Empty when the fixture could not be made here.
std::optional<std::u16string> prepared_folder(std::u16string_view name);

} // namespace t2k::test
