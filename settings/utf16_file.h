// Settings files in UTF-16LE: told by their byte-order mark, and made so when a value needs it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace t2k {

// Whether the bytes start with the UTF-16LE byte-order mark.
bool is_utf16_file(std::string_view bytes);

// The text of a UTF-16LE file's bytes, after the byte-order mark (an odd last byte is dropped).
std::u16string utf16_file_text(std::string_view bytes);

// The byte-order mark, then the text in UTF-16LE.
std::string utf16_file_bytes(std::u16string_view text);

// Before texts the ANSI code page cannot hold are written into an ANSI settings file (or a missing
// one), rewrites the file as UTF-16LE with a byte-order mark, every line as it was: a value saved
// in ANSI would lose those characters for good. Afterwards writes keep the file UTF-16. A file
// whose texts fit is left as it is. Throws SettingsWriteError when the file cannot be written.
void make_utf16_for(const std::u16string& path, std::initializer_list<std::u16string_view> texts);

} // namespace t2k
