// The command line's arguments: getopt-style options, the inputs in the order given.
#pragma once

#include "platform/code_page.h"
#include "platform/path_style.h"

#include <optional>
#include <string>
#include <vector>

namespace t2k {

// One input argument: a FILE (which may be "-", standard input) or a --files-from list.
struct InputArgument {
    enum class Kind { file, list };
    Kind kind;
    std::u16string text;
};

struct Arguments {
    std::u16string output_dir;
    std::u16string extension;
    std::optional<CodePage> code_page;
    std::vector<InputArgument> inputs;
    bool dry_run = false;
    bool help = false;
    bool version = false;
};

// A command line that cannot be run; text says why.
struct UsageError {
    std::u16string text;
};

// The name standing for standard input (as a FILE or as a --files-from list).
inline constexpr std::u16string_view standard_stream = u"-";

// Parses the arguments (without the program name); raises UsageError. With a path style in which
// "/" is no delimiter (Windows), "/" in a path argument is taken for the style's own delimiter and
// "/?" asks for the help, as Windows console programs do.
Arguments parse_arguments(const std::vector<std::u16string>& args, const PathStyle& style);

// The argument as a path of the style: "/" turned into the style's delimiter where "/" is none.
std::u16string command_line_path(std::u16string_view text, const PathStyle& style);

} // namespace t2k
