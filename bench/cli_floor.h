// The floor of the command line's conversion: only the work it cannot do without.
#pragma once

#include "platform/memory_block.h"

#include <filesystem>

namespace t2k::bench {

// Reads the whole input into memory, creates the output, writes the input's bytes to it in one
// go and closes both: what a converter that must hold the payload before it creates the output
// cannot avoid. The memory has the pages the converter's records have (huge where offered), or
// normal ones for the floor as a plain program would make it. Throws std::runtime_error when a
// step fails.
void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   PageSize pages);

} // namespace t2k::bench
