// A settings file's encoding as the profile services tell it by its first bytes, and the rewrite
// of a file they treat as ANSI before a text is written that ANSI would lose.
#pragma once

#include "platform/code_page.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace t2k {

// The services read and write a file in the encoding of its byte-order mark, and a file without
// one in ANSI (valid UTF-8 without a mark included).
enum class FileEncoding { ansi, utf8, utf16le, utf16be };

FileEncoding file_encoding(std::string_view bytes);

// UTF-8, in which the text of a Unicode file is edited: it keeps every line as it was and splits
// it at the same line feeds.
CodePage utf8_code_page();

// The text after the byte-order mark of a file in a Unicode encoding, as UTF-8: a UTF-8 file's own
// bytes, so that even bytes that are no valid UTF-8 stay as they were (of UTF-16, an odd last byte
// is dropped).
std::string unicode_file_text(std::string_view bytes, FileEncoding encoding);

// The bytes of a file in a Unicode encoding holding that UTF-8 text: the mark, then the text.
std::string unicode_file_bytes(std::string_view utf8_text, FileEncoding encoding);

// Before texts are written into a file the services treat as ANSI, rewrites it so that they are
// written in Unicode, when ANSI would lose them: a file of valid UTF-8 without a mark gets the
// UTF-8 mark before any text beyond ASCII (written in ANSI bytes, the file would be UTF-8 no
// more), any other file becomes UTF-16LE before a text the ANSI code page cannot hold (a value
// saved in ANSI would lose those characters for good). Every line stays as it was; a file with a
// mark, or one the texts need no rewrite for, is left alone. Throws SettingsWriteError, leaving
// the file as it was, when the file cannot be written or read, or holds bytes the code page
// cannot carry into UTF-16.
void make_unicode_for(const std::u16string& path, std::initializer_list<std::u16string_view> texts);

} // namespace t2k
