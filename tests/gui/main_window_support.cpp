// Temporary folders and files for the main-window tests.
#include "main_window_support.h"

#include <fstream>
#include <iterator>

namespace t2k::testing {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::filesystem::path(base) / (L"t2k-gui-" + std::to_wstring(GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(GetTickCount64()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::operator/(std::u16string_view name) const {
    const std::wstring full = (path_ / std::wstring(name.begin(), name.end())).wstring();
    return std::u16string(full.begin(), full.end());
}

void write_bytes(const std::u16string& file, std::string_view bytes) {
    std::ofstream out(std::filesystem::path(std::wstring(file.begin(), file.end())),
                      std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_bytes(const std::u16string& file) {
    std::ifstream in(std::filesystem::path(std::wstring(file.begin(), file.end())),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool exists(const std::u16string& file) {
    return std::filesystem::exists(std::filesystem::path(std::wstring(file.begin(), file.end())));
}

} // namespace t2k::testing
