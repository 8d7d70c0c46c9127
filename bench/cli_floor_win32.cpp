// The command line's floor with CreateFileW/ReadFile/WriteFile, as the Win32 file services make
// them.
#include "bench/cli_floor.h"

#include <stdexcept>
#include <windows.h>

namespace t2k::bench {
namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot open a file");
        }
    }
    ~Handle() { CloseHandle(handle_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// ReadFile and WriteFile move at most 4 GiB less one byte a call.
DWORD piece_of(std::size_t left) {
    return static_cast<DWORD>(left < 0x40000000u ? left : 0x40000000u);
}

} // namespace

void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   PageSize pages) {
    const Handle in(CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER file_size{};
    if (!GetFileSizeEx(in.get(), &file_size)) {
        throw std::runtime_error("cannot size the input");
    }
    const auto size = static_cast<std::size_t>(file_size.QuadPart);
    const MemoryBlock block(size, pages);
    char* const bytes = block.data();
    for (std::size_t done = 0; done < size;) {
        DWORD got = 0;
        if (!ReadFile(in.get(), bytes + done, piece_of(size - done), &got, nullptr) || got == 0) {
            throw std::runtime_error("cannot read the input");
        }
        done += got;
    }
    const Handle out(CreateFileW(output.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    for (std::size_t done = 0; done < size;) {
        DWORD written = 0;
        if (!WriteFile(out.get(), bytes + done, piece_of(size - done), &written, nullptr) ||
            written == 0) {
            throw std::runtime_error("cannot write the output");
        }
        done += written;
    }
}

} // namespace t2k::bench
