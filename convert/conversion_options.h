// ConversionOptions: how files are read, decoded, named and written.
#pragma once

#include "convert/line_reader.h"
#include "platform/code_page.h"
#include "platform/path_style.h"

namespace t2k {

// The window writes every output byte with its own system call; the command line may buffer, or
// only check that each output could be created (a dry run, which writes nothing).
enum class WriteMode { byte_per_write, buffered, none };

// How payload lines become records. Lines of a single-byte code page that keeps ASCII as it is
// are framed on their bytes; every other code page's are decoded and encoded back. Both give the
// same bytes; `decoded` takes the second way for every code page, so tests can hold them together.
enum class LinePath { fastest, decoded };

struct ConversionOptions {
    CodePage code_page;
    const PathStyle& path_style;
    ReadMode read_mode;
    WriteMode write_mode;
    LinePath line_path = LinePath::fastest;
};

} // namespace t2k
