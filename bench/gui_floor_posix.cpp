// The floor with read/write, as the POSIX file services make them.
#include "bench/gui_floor.h"

#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace t2k::bench {

void run_gui_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   std::uint64_t output_bytes) {
    const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        throw std::runtime_error("floor: cannot open the input");
    }
    unsigned char block[128];
    while (::read(in, block, sizeof block) > 0) {
    }
    const int out = ::open(output.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        ::close(in);
        throw std::runtime_error("floor: cannot create the output");
    }
    for (std::uint64_t i = 0; i < output_bytes; ++i) {
        if (::write(out, &block[i % sizeof block], 1) != 1) {
            break;
        }
    }
    ::close(out);
    ::close(in);
}

} // namespace t2k::bench
