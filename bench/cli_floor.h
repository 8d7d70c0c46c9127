// The floor of the command line's conversion: only the work it cannot do without.
#pragma once

#include <cstddef>
#include <filesystem>

namespace t2k::bench {

// The block the converter reads its inputs in (the reader's large blocks).
inline constexpr std::size_t cli_floor_block = 256 * 1024;

// Copies the input into a new output a block at a time, each block read and then written with one
// system call, and closes both: what a converter that streams cannot avoid. Throws
// std::runtime_error when a step fails.
void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output);

} // namespace t2k::bench
