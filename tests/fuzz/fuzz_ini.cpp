// Fuzz target: our INI code reads a settings file, writes one key and reads again; the key has
// the value written, every other key keeps its own, and writing the same value again changes
// nothing.
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_check.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace t2k {
namespace {

using fuzz::require;

const CodePage ansi = *CodePage::from_number(1252);

// The names the program writes, in the spellings a file may hold them in, and one other section.
constexpr std::array<std::u16string_view, 3> sections = {u"TOVARO", u"tovaro", u"Other"};
constexpr std::array<std::u16string_view, 3> keys = {u"SavePath", u"SaveExtension", u"savepath"};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// The value to write: the file's last line, as a single-line field could hold it (no line
// ends, no blanks at either end, which a read drops).
std::string value_from(std::string_view file) {
    std::string value(
        file.substr(file.rfind('\n') == std::string_view::npos ? 0 : file.rfind('\n') + 1));
    std::erase(value, '\r');
    const auto blank = [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == 0x1A;
    };
    while (!value.empty() && blank(value.back())) {
        value.pop_back();
    }
    while (!value.empty() && blank(value.front())) {
        value.erase(0, 1);
    }
    return value;
}

// Every section and key name the file might hold, found crudely: a wrong guess only asks for a
// key that is not there, before and after alike.
std::pair<std::vector<std::string>, std::vector<std::string>> names_in(std::string_view file) {
    std::vector<std::string> section_names{""};
    std::vector<std::string> key_names;
    std::size_t start = 0;
    while (start < file.size() && section_names.size() < 16 && key_names.size() < 32) {
        const std::size_t end = std::min(file.find('\n', start), file.size());
        const std::string_view line = file.substr(start, end - start);
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
            section_names.emplace_back(line.substr(open + 1, close - open - 1));
        }
        if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
            key_names.emplace_back(line.substr(0, equals));
        }
        start = end + 1;
    }
    return {section_names, key_names};
}

void check_one_file(std::string_view file) {
    const std::u16string section(sections[file.size() % sections.size()]);
    const std::u16string key(keys[(file.size() / sections.size()) % keys.size()]);
    const std::u16string value = ansi.decode(value_from(file));

    IniDocument document(file, ansi);
    const auto [section_names, key_names] = names_in(file);
    using Entry = std::pair<std::u16string, std::u16string>;
    std::vector<std::pair<Entry, std::optional<std::u16string>>> others;
    const std::string written_section = lower(ansi.encode(section));
    const std::string written_key = lower(ansi.encode(key));
    for (const std::string& s : section_names) {
        for (const std::string& k : key_names) {
            if (lower(s).find(written_section) != std::string::npos &&
                lower(k).find(written_key) != std::string::npos) {
                continue; // may name the key that is written
            }
            const Entry entry{ansi.decode(s), ansi.decode(k)};
            others.emplace_back(entry, document.value(entry.first, entry.second));
        }
    }

    if (const std::optional<std::u16string> before = document.value(section, key)) {
        require(profile_read_result(*before).size() < settings_read_buffer_size,
                "a read fits the read buffer");
    }
    const bool changed = document.set(section, key, value);
    const std::string bytes = document.bytes();
    require(changed || bytes == file, "a write that reports no change changes nothing");

    IniDocument reread(bytes, ansi);
    require(reread.value(section, key) == value, "the key reads back as written");
    for (const auto& [entry, old_value] : others) {
        require(reread.value(entry.first, entry.second) == old_value,
                "every other key keeps its value");
    }
    require(!reread.set(section, key, value), "writing the same value again changes nothing");
    require(reread.bytes() == bytes, "and leaves the bytes as they were");
}

} // namespace
} // namespace t2k

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    t2k::check_one_file(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
