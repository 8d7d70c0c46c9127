// Test support: temporary folders and file helpers over std::filesystem.
#include "tests/support/temp_dir.h"

#include "platform/path_style.h"
#include "platform/text.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace t2k::test {
namespace {

fs::path to_path(const std::u16string& path) {
    return fs::path(path);
}

std::u16string from_path(const fs::path& path) {
    return path.u16string();
}

} // namespace

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() /
                         ("t2k-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(dir);
    path_ = from_path(dir);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(to_path(path_), ignored);
}

std::u16string TempDir::file(std::u16string_view name) const {
    return PathStyle::native().with_trailing_delimiter(path_) + std::u16string(name);
}

void write_bytes(const std::u16string& path, std::string_view bytes) {
    std::ofstream out(to_path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + to_utf8(path));
    }
}

std::string read_bytes(const std::u16string& path) {
    std::ifstream in(to_path(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + to_utf8(path));
    }
    // Whole buffers at a time: a character at a time is slow on big files, most of all under
    // the sanitizers.
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

bool path_exists(const std::u16string& path) {
    std::error_code ignored;
    return fs::exists(to_path(path), ignored);
}

void make_folder(const std::u16string& path) {
    fs::create_directories(to_path(path));
}

std::vector<std::u16string> folder_entries(const std::u16string& path) {
    std::vector<std::u16string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(to_path(path))) {
        names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::u16string> prepared_folder(std::u16string_view name) {
    const char* root = std::getenv("T2K_FIXTURES");
    if (root == nullptr) {
        return std::nullopt;
    }
    std::u16string folder = from_utf8(root) + u"/" + std::u16string(name);
#ifdef _WIN32
    // Wine shows the Unix file system as drive Z:.
    for (char16_t& c : folder) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    folder = u"Z:" + folder;
#endif
    if (!path_exists(folder) || path_exists(folder + u".unavailable")) {
        return std::nullopt;
    }
    return folder;
}

} // namespace t2k::test
