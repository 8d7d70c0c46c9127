// The file services of the conversion: input and output files, what a name is, removal.
// Every failure is an IoError with the table's code and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace t2k {

// Longer names fail with "Invalid filename" before the system is asked, on every platform.
inline constexpr std::size_t max_name_length = 259;

// One file, whatever name reaches it (hard links included): device and inode on POSIX, volume
// serial and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// An existing file opened for reading; others may read it meanwhile but not write it.
class InputFile {
public:
    explicit InputFile(const std::u16string& name);
    ~InputFile();
    InputFile(InputFile&&) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The process's standard input, read as bytes; closing it leaves the process's own handle.
    static InputFile standard_input();

    // Reads up to size bytes with one system call; 0 at the end of the data.
    std::size_t read(std::uint8_t* buffer, std::size_t size);
    void close();
    // The open file's identity; nothing for what has none (a pipe).
    std::optional<FileIdentity> identity() const;

    struct Impl;

private:
    explicit InputFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// An output written into a new temporary file beside its name, which commit() closes and puts in
// place of whatever had the name: a file, or a link (replaced, never written through). Until then
// the old output stays as it was; a failure, or an object that goes without commit(), removes the
// temporary file. The temporary file is created exclusively, under a name no other run can take.
// Refused before anything is created, with the codes of the table: a name too long or naming a
// device ("Invalid filename"), a missing folder ("Invalid filename"), a folder or a read-only
// file by that name ("File access denied").
class OutputFile {
public:
    explicit OutputFile(const std::u16string& name);
    ~OutputFile();
    OutputFile(OutputFile&&) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // The process's standard output, written as bytes under the given name; commit() closes it and
    // leaves the process's own handle.
    static OutputFile standard_output(std::u16string name);

    // One system call; storing fewer bytes than asked is "Disk full".
    void write(const std::uint8_t* data, std::size_t size);
    // Closes the file and gives it the output's name.
    void commit();
    const std::u16string& name() const noexcept { return name_; }

    struct Impl;

private:
    OutputFile(std::u16string name, std::unique_ptr<Impl> impl);
    std::u16string name_;
    std::unique_ptr<Impl> impl_;
};

// What a name in a file list is.
enum class FileKind {
    missing,   // nothing by that name, or a folder
    disk_file, // a file on a disk: the only kind that is read
    other // a device, a pipe, a socket: reading it may wait for ever or take what is not a file
};
FileKind file_kind(const std::u16string& name);

// True when name is an existing disk file.
inline bool file_exists(const std::u16string& name) {
    return file_kind(name) == FileKind::disk_file;
}

// Deletes a file; false when it could not be deleted.
bool remove_file(const std::u16string& name);

// Raises the IoError that OutputFile(name) would raise before it creates anything, without
// creating, replacing or truncating anything.
void probe_output_file(const std::u16string& name);

// Whether a symbolic link is taken for itself or for the file it leads to.
enum class Links { followed, not_followed };

// The identity of the file the name reaches; nothing when there is none (or the name is a
// device's, which is not opened to find out).
std::optional<FileIdentity> file_identity(const std::u16string& name, Links links);

// True when the name itself is a symbolic link (a reparse point on Windows).
bool is_symbolic_link(const std::u16string& name);

// True when both names reach one existing file, however each is written.
inline bool same_file(const std::u16string& a, const std::u16string& b) {
    const std::optional<FileIdentity> first = file_identity(a, Links::followed);
    return first && first == file_identity(b, Links::followed);
}

// Equal for two names in one folder exactly when the file system takes them for one file: the
// name itself on POSIX, the name in upper case on Windows.
std::u16string name_key(std::u16string_view name);

} // namespace t2k
