// IniFile: reading the file, and replacing it whole on a write.
#include "settings/ini_file.h"

#include "platform/code_page.h"
#include "settings/file_bytes.h"
#include "settings/ini_document.h"
#include "settings/file_encoding.h"

namespace t2k {
namespace {

// A file in a Unicode encoding is edited in UTF-8.
IniDocument parse_file(std::string_view bytes) {
    const FileEncoding encoding = file_encoding(bytes);
    if (encoding == FileEncoding::ansi) {
        return IniDocument(bytes, CodePage::system());
    }
    return IniDocument(unicode_file_text(bytes, encoding), utf8_code_page());
}

std::string file_bytes(const IniDocument& document, FileEncoding encoding) {
    return encoding == FileEncoding::ansi ? document.bytes()
                                          : unicode_file_bytes(document.bytes(), encoding);
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
    make_unicode_for(path_, {section, key, value});
    // Refused too when the file cannot be read: writing it anew would drop its other lines.
    const std::optional<std::string> existing = read_existing_file_bytes(path_);
    if (!existing) {
        throw SettingsWriteError(path_);
    }
    const std::string& bytes = *existing;
    IniDocument document = parse_file(bytes);
    if (document.set(section, key, value)) {
        replace_file_bytes(path_, file_bytes(document, file_encoding(bytes)));
    }
}

} // namespace t2k
