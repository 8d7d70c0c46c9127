// ConversionOptions: how files are decoded, named and written.
#pragma once

#include "platform/code_page.h"
#include "platform/path_style.h"

namespace t2k {

// The window writes every output byte with its own system call; the command line may buffer, or
// only check that each output could be created (a dry run, which writes nothing).
enum class WriteMode { byte_per_write, buffered, none };

struct ConversionOptions {
    CodePage code_page;
    const PathStyle& path_style;
    WriteMode write_mode;
};

} // namespace t2k
