// The output writer: one byte per system call, or buffered; no partial file on failure.
#include "convert/output_writer.h"

#include "platform/files.h"
#include "platform/io_error.h"

#include <cstdint>

namespace t2k {

void write_chunks(OutputFile& file, const std::vector<std::string_view>& pieces, WriteMode mode) {
    for (const std::string_view piece : pieces) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(piece.data());
        if (mode != WriteMode::byte_per_write) {
            file.write(data, piece.size());
            continue;
        }
        for (std::size_t done = 0; done < piece.size(); ++done) {
            file.write(data + done, 1);
        }
    }
}

void write_output_file(const std::u16string& name, const std::vector<std::string_view>& pieces,
                       WriteMode mode) {
    OutputFile file(name); // a failure here created nothing, so there is nothing to delete
    try {
        write_chunks(file, pieces, mode);
        file.close();
    } catch (const IoError&) {
        try {
            file.close();
        } catch (const IoError&) {
            // the write's failure is the one to report
        }
        remove_file(name);
        throw;
    }
}

} // namespace t2k
