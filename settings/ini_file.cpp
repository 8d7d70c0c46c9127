// IniFile: reading the file, and replacing it whole on a write.
#include "settings/ini_file.h"

#include "platform/code_page.h"
#include "settings/file_bytes.h"
#include "settings/ini_document.h"
#include "settings/utf16_file.h"

namespace t2k {
namespace {

// A UTF-16 file is edited in UTF-8, which keeps every line as it was and splits it at the same
// line feeds.
CodePage utf8() {
    return *CodePage::from_number(65001);
}

IniDocument parse_file(std::string_view bytes) {
    if (is_utf16_file(bytes)) {
        return IniDocument(utf8().encode(utf16_file_text(bytes)), utf8());
    }
    return IniDocument(bytes, CodePage::system());
}

std::string file_bytes(const IniDocument& document, bool utf16) {
    return utf16 ? utf16_file_bytes(utf8().decode(document.bytes())) : document.bytes();
}

} // namespace

IniFile::IniFile(std::u16string path) : path_(std::move(path)) {}

std::u16string IniFile::read(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback) {
    const IniDocument document = parse_file(read_file_bytes(path_));
    const std::optional<std::u16string> stored = document.value(section, key);
    return profile_read_result(stored ? std::u16string_view(*stored) : profile_fallback(fallback));
}

void IniFile::write(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
    // Refused even when nothing would change, as the profile services refuse it.
    if (!may_write_file(path_)) {
        throw SettingsWriteError(path_);
    }
    make_utf16_for(path_, {section, key, value});
    const std::string bytes = read_file_bytes(path_);
    IniDocument document = parse_file(bytes);
    if (document.set(section, key, value)) {
        replace_file_bytes(path_, file_bytes(document, is_utf16_file(bytes)));
    }
}

} // namespace t2k
