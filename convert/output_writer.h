// Writing one output file whole, or leaving the old one as it was.
#pragma once

#include "convert/conversion_options.h"
#include "platform/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Writes the pieces' bytes in order into a new file that replaces the one named only once it is
// whole: byte by byte, or one write a piece when buffered. When a write, the close or the
// replacing fails, the new file is removed and the old one stays as it was before the IoError
// travels on.
void write_output_file(const std::u16string& name, const std::vector<std::string_view>& pieces,
                       WriteMode mode);

// Writes the pieces' bytes in order, as write_output_file does, to an output already open.
void write_chunks(OutputFile& file, const std::vector<std::string_view>& pieces, WriteMode mode);

} // namespace t2k
