// The floor of the command line's conversion: only the work it cannot do without.
#pragma once

#include <filesystem>

namespace t2k::bench {

// Reads the whole input into memory, creates the output, writes the input's bytes to it in one
// go and closes both: what a converter that must hold the payload before it creates the output
// cannot avoid. Throws std::runtime_error when a step fails.
void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output);

} // namespace t2k::bench
