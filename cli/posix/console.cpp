// Console output on POSIX: UTF-8 bytes.
#include "cli/console.h"

#include "platform/text.h"

#include <cstdio>

namespace t2k {

void write_text(Stream stream, std::u16string_view text) {
    const std::string bytes = to_utf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream == Stream::out ? stdout : stderr);
}

} // namespace t2k
