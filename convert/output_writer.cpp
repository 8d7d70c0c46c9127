// The output writer: one byte per system call, or buffered; no partial file on failure.
#include "convert/output_writer.h"

#include "platform/files.h"
#include "platform/io_error.h"

#include <algorithm>
#include <cstdint>

namespace t2k {

void write_chunks(OutputFile& file, const std::vector<std::string>& chunks, WriteMode mode) {
    const std::size_t step = mode == WriteMode::byte_per_write ? 1 : output_buffer_size;
    for (const std::string& chunk : chunks) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(chunk.data());
        for (std::size_t done = 0; done < chunk.size(); done += step) {
            file.write(data + done, std::min(step, chunk.size() - done));
        }
    }
}

void write_output_file(const std::u16string& name, const std::vector<std::string>& chunks,
                       WriteMode mode) {
    OutputFile file(name); // a failure here created nothing, so there is nothing to delete
    try {
        write_chunks(file, chunks, mode);
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
