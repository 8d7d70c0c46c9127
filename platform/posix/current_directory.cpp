// The current directory on POSIX.
#include "platform/current_directory.h"

#include "platform/text.h"

#include <climits>
#include <unistd.h>
#include <vector>

namespace t2k {

std::u16string current_directory() {
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        return u".";
    }
    return from_utf8(buffer.data());
}

} // namespace t2k
