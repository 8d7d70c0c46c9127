// The floor of the window's conversion: only the system calls it cannot do without.
#pragma once

#include <cstdint>
#include <filesystem>

namespace t2k::bench {

// Opens input and reads it to the end in 128-byte blocks, then creates output and writes
// output_bytes bytes with one system call per byte, and closes both. Nothing else.
void run_gui_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   std::uint64_t output_bytes);

} // namespace t2k::bench
