// The command line's floor with CreateFileW/ReadFile/WriteFile, as the Win32 file services make
// them.
#include "bench/cli_floor.h"

#include <memory>
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

} // namespace

void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output) {
    const Handle in(CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const Handle out(CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::unique_ptr<char[]> block = std::make_unique_for_overwrite<char[]>(cli_floor_block);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.get(), block.get(), static_cast<DWORD>(cli_floor_block), &got, nullptr)) {
            throw std::runtime_error("cannot read the input");
        }
        if (got == 0) {
            return;
        }
        DWORD written = 0;
        if (!WriteFile(out.get(), block.get(), got, &written, nullptr) || written != got) {
            throw std::runtime_error("cannot write the output");
        }
    }
}

} // namespace t2k::bench
