// IniDocument: the bytes of an INI file as lines, looked up and changed with the profile rules.
#pragma once

#include "platform/code_page.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Lines keep their own bytes, so a change touches only the line it writes: every other section,
// key, comment, blank and line end stays as it was.
class IniDocument {
public:
    IniDocument(std::string_view bytes, CodePage code_page);

    // The key's value with the blanks around it dropped, from the first section of that name;
    // nullopt when there is no such key (a line without '=' is no key).
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;

    // Replaces the key's line, or adds the key at the end of its section, or adds the section at
    // the end of the file. New lines end in CR LF. False when the bytes did not change.
    bool set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    std::string bytes() const;

private:
    enum class Kind { blank, section, key, other };
    struct Line {
        std::string raw; // with its line end, when it has one
        Kind kind;
        std::u16string name; // section or key name
        std::u16string value;
    };

    Line parse(std::string raw) const;
    std::size_t find_section(std::u16string_view section) const;
    std::size_t section_end(std::size_t header) const;
    void end_line_before_adding(std::size_t index);

    CodePage code_page_;
    std::vector<Line> lines_;
};

// What a profile read returns for a stored value: one pair of matching quotes dropped, then cut
// to settings_read_buffer_size - 1 characters.
std::u16string profile_read_result(std::u16string_view stored);

// The fallback as a profile read uses it: without trailing spaces.
std::u16string_view profile_fallback(std::u16string_view fallback);

} // namespace t2k
