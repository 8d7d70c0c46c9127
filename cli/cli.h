// tovaro2korvane-cli: the batch conversion for scripts.
#pragma once

#include <string>
#include <vector>

namespace t2k {

// Exit statuses.
inline constexpr int exit_converted = 0;
inline constexpr int exit_skipped = 1;
inline constexpr int exit_io_failure = 2;
inline constexpr int exit_usage = 64;

// Runs the command line with its arguments (without the program name); returns the exit status.
int run_cli(const std::vector<std::u16string>& args);

} // namespace t2k
