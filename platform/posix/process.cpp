// The running executable's full path on Linux, read from /proc/self/exe.
#include "platform/process.h"

#include "platform/text.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace t2k {

std::u16string executable_path() {
    // readlink does not say how long the target is, so grow the buffer until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            throw std::system_error(errno, std::generic_category(), "/proc/self/exe");
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return from_utf8(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace t2k
