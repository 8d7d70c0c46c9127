// Parsing a --files-from list.
#include "cli/name_list.h"

#include "platform/text.h"

namespace t2k {
namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

bool is_blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::vector<std::u16string> parse_name_list(std::string_view bytes) {
    if (bytes.starts_with(byte_order_mark)) {
        bytes.remove_prefix(byte_order_mark.size());
    }
    std::vector<std::u16string> names;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!is_blank(line)) {
            names.push_back(from_utf8(line));
        }
    }
    return names;
}

} // namespace t2k
