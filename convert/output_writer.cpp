// The output writer: one byte per system call, or buffered; the old output kept on failure.
#include "convert/output_writer.h"

#include "platform/files.h"

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
    OutputFile file(name);
    write_chunks(file, pieces, mode);
    file.commit();
}

} // namespace t2k
