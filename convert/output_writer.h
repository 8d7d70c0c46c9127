// Writing one output file whole, or leaving none.
#pragma once

#include "convert/conversion_options.h"
#include "platform/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Creates (or replaces) the file and writes the pieces' bytes in order: byte by byte, or one
// write a piece when buffered. When a write or the close
// fails, the file is deleted before the IoError travels on: a half-written output must not look
// like a whole one.
void write_output_file(const std::u16string& name, const std::vector<std::string_view>& pieces,
                       WriteMode mode);

// Writes the pieces' bytes in order, as write_output_file does, to a file already open (standard
// output, say).
void write_chunks(OutputFile& file, const std::vector<std::string_view>& pieces, WriteMode mode);

} // namespace t2k
