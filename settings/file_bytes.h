// The settings file as bytes: read whole, and replaced whole so that no half-written file stays.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace t2k {

// The file's bytes; a missing or unreadable file reads as an empty one, and so does a directory
// in its place.
std::string read_file_bytes(const std::u16string& path);
// The same, but nullopt for a file that is there and cannot be read: a write must not replace
// what it could not read.
std::optional<std::string> read_existing_file_bytes(const std::u16string& path);

// False when the system would refuse to write the file: a read-only or immutable file, or one we
// may not write. A missing file may be written (whether its folder takes it shows on writing).
bool may_write_file(const std::u16string& path);

// Writes bytes to a new temporary file in the same folder (of a name no other file has, created
// exclusively), flushes them to the disk and renames the file over the old one. On POSIX the new
// file keeps the old one's permissions, and through a symbolic link the file it leads to is
// replaced while the link stays. Throws SettingsWriteError when the system refuses, leaving the
// file as it was and no temporary file behind.
void replace_file_bytes(const std::u16string& path, std::string_view bytes);

} // namespace t2k
