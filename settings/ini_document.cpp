// IniDocument: line splitting, name matching and the replace-or-add rules of a profile write.
#include "settings/ini_document.h"

#include "settings/settings_file.h"

#include <algorithm>

namespace t2k {
namespace {

constexpr std::string_view line_end = "\r\n";
constexpr std::size_t npos = std::u16string::npos;

// The blanks a profile read drops; 0x1A is the old end-of-file mark.
bool is_blank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A;
}

std::u16string_view trim(std::u16string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t ascii_upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

bool same_name(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return ascii_upper(x) == ascii_upper(y); });
}

bool ends_line(const std::string& raw) {
    return !raw.empty() && raw.back() == '\n';
}

} // namespace

IniDocument::IniDocument(std::string_view bytes, CodePage code_page) : code_page_(code_page) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines_.push_back(parse(std::string(bytes.substr(0, length))));
        bytes.remove_prefix(length);
    }
}

IniDocument::Line IniDocument::parse(std::string raw) const {
    const std::u16string decoded = code_page_.decode(raw);
    const std::u16string_view text = trim(decoded);
    Line line{std::move(raw), Kind::other, {}, {}};
    if (text.empty()) {
        line.kind = Kind::blank;
    } else if (const std::size_t close = text.rfind(u']');
               text.front() == u'[' && close != npos && close > 0) {
        // The name is everything up to the last ']', blanks inside the brackets included.
        line.kind = Kind::section;
        line.name = text.substr(1, close - 1);
    } else if (const std::size_t equals = text.find(u'='); equals != npos) {
        line.kind = Kind::key;
        line.name = trim(text.substr(0, equals));
        line.value = trim(text.substr(equals + 1));
    }
    return line;
}

std::size_t IniDocument::find_section(std::u16string_view section) const {
    section = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::section && same_name(lines_[i].name, section)) {
            return i;
        }
    }
    return npos;
}

// One past the section's last line, which is the next header or the end of the file.
std::size_t IniDocument::section_end(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::section) {
        ++i;
    }
    return i;
}

std::optional<std::u16string> IniDocument::value(std::u16string_view section,
                                                 std::u16string_view key) const {
    const std::size_t header = find_section(section);
    if (header == npos) {
        return std::nullopt;
    }
    key = trim(key);
    const std::size_t end = section_end(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::key && same_name(lines_[i].name, key)) {
            return lines_[i].value;
        }
    }
    return std::nullopt;
}

// A line that is about to get a successor must end first (the file's last line may not).
void IniDocument::end_line_before_adding(std::size_t index) {
    if (!ends_line(lines_[index].raw)) {
        lines_[index].raw += line_end;
    }
}

bool IniDocument::set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
    key = trim(key);
    const auto key_line = [&](std::u16string_view name) {
        return parse(code_page_.encode(name) + '=' + code_page_.encode(value) +
                     std::string(line_end));
    };
    std::size_t header = find_section(section);
    if (header == npos) {
        if (!lines_.empty()) {
            end_line_before_adding(lines_.size() - 1);
        }
        lines_.push_back(
            parse('[' + code_page_.encode(trim(section)) + ']' + std::string(line_end)));
        lines_.push_back(key_line(key));
        return true;
    }
    const std::size_t end = section_end(header);
    std::size_t last_content = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind == Kind::key && same_name(line.name, key)) {
            // The key keeps the spelling it has in the file.
            Line replacement = key_line(line.name);
            if (replacement.raw == line.raw) {
                return false;
            }
            line = std::move(replacement);
            return true;
        }
        if (line.kind != Kind::blank) {
            last_content = i;
        }
    }
    // After the section's last key, so blank lines that part it from the next one stay below.
    end_line_before_adding(last_content);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last_content + 1), key_line(key));
    return true;
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
    }
    return out;
}

std::u16string profile_read_result(std::u16string_view stored) {
    constexpr std::size_t room = settings_read_buffer_size - 1;
    const bool quoted = stored.size() >= 2 && (stored.front() == u'"' || stored.front() == u'\'') &&
                        stored.back() == stored.front();
    if (quoted) {
        stored.remove_prefix(1);
    }
    // As the system does it: copy what the buffer holds, then drop the last character copied
    // when the value with its closing quote fitted the buffer.
    std::u16string result(stored.substr(0, room));
    if (quoted && stored.size() <= settings_read_buffer_size) {
        result.pop_back();
    }
    return result;
}

std::u16string_view profile_fallback(std::u16string_view fallback) {
    while (!fallback.empty() && fallback.back() == u' ') {
        fallback.remove_suffix(1);
    }
    return fallback;
}

} // namespace t2k
