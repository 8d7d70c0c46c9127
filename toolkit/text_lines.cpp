// Line splitting and joining for multi-line text boxes.
#include "toolkit/text_lines.h"

namespace t2k {

std::vector<std::u16string> split_lines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') {
            ++start;
        }
    }
    return lines;
}

std::u16string line_to_append(char16_t last, std::u16string_view line) {
    std::u16string result;
    if (last != 0 && last != u'\n' && last != u'\r') {
        result += u"\r\n";
    }
    result += line;
    result += u"\r\n"; // ends the line, so a blank last line is still a line
    return result;
}

} // namespace t2k
