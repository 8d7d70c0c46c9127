// Writing one output file whole, or leaving none.
#pragma once

#include "convert/conversion_options.h"
#include "platform/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// The size of one write when the output is buffered.
inline constexpr std::size_t output_buffer_size = 64 * 1024;

// Creates (or replaces) the file and writes the chunks' bytes in order. When a write or the close
// fails, the file is deleted before the IoError travels on: a half-written output must not look
// like a whole one.
void write_output_file(const std::u16string& name, const std::vector<std::string>& chunks,
                       WriteMode mode);

// Writes the chunks' bytes in order to a file already open (standard output, say).
void write_chunks(OutputFile& file, const std::vector<std::string>& chunks, WriteMode mode);

} // namespace t2k
