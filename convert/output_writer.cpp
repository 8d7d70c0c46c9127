// The output writer: one byte per system call, or buffered; no partial file on failure.
#include "convert/output_writer.h"

#include "platform/files.h"
#include "platform/io_error.h"

#include <algorithm>
#include <cstdint>

namespace t2k {
namespace {

void write_bytes(OutputFile& file, std::string_view bytes, WriteMode mode) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t step = mode == WriteMode::byte_per_write ? 1 : output_buffer_size;
    for (std::size_t done = 0; done < bytes.size(); done += step) {
        file.write(data + done, std::min(step, bytes.size() - done));
    }
}

} // namespace

void write_output_file(const std::u16string& name, std::string_view bytes, WriteMode mode) {
    OutputFile file(name); // a failure here created nothing, so there is nothing to delete
    try {
        write_bytes(file, bytes, mode);
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
