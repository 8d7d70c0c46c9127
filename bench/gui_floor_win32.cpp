// The floor with ReadFile/WriteFile, as the Win32 file services make them.
#include "bench/gui_floor.h"

#include <stdexcept>
#include <windows.h>

namespace t2k::bench {

void run_gui_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   std::uint64_t output_bytes) {
    HANDLE in = CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("floor: cannot open the input");
    }
    unsigned char block[128];
    DWORD got = 0;
    while (ReadFile(in, block, sizeof block, &got, nullptr) && got > 0) {
    }
    HANDLE out = CreateFileW(output.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        CloseHandle(in);
        throw std::runtime_error("floor: cannot create the output");
    }
    for (std::uint64_t i = 0; i < output_bytes; ++i) {
        DWORD written = 0;
        if (!WriteFile(out, &block[i % sizeof block], 1, &written, nullptr) || written != 1) {
            break;
        }
    }
    CloseHandle(out);
    CloseHandle(in);
}

} // namespace t2k::bench
