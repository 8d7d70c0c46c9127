// The file services of the conversion: input and output files, existence, removal.
// Every failure is an IoError with the table's code and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace t2k {

// Longer names fail with "Invalid filename" before the system is asked, on every platform.
inline constexpr std::size_t max_name_length = 259;

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

    struct Impl;

private:
    explicit InputFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// A file created (or replaced) for reading and writing; others may read and write it meanwhile.
// Opening the input of the same conversion fails with the sharing violation (32).
class OutputFile {
public:
    explicit OutputFile(const std::u16string& name);
    ~OutputFile();
    OutputFile(OutputFile&&) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // The process's standard output, written as bytes under the given name; closing it leaves the
    // process's own handle.
    static OutputFile standard_output(std::u16string name);

    // One system call; storing fewer bytes than asked is "Disk full".
    void write(const std::uint8_t* data, std::size_t size);
    void close();
    const std::u16string& name() const noexcept { return name_; }

    struct Impl;

private:
    OutputFile(std::u16string name, std::unique_ptr<Impl> impl);
    std::u16string name_;
    std::unique_ptr<Impl> impl_;
};

// True when name is an existing file; a directory does not count.
bool file_exists(const std::u16string& name);

// Deletes a file; false when it could not be deleted.
bool remove_file(const std::u16string& name);

// Raises the IoError that creating the output file name would raise, as far as that can be told
// without creating, replacing or truncating anything: a name too long, a missing folder, a
// folder by that name, a file that may not be written or that is open as an input.
void probe_output_file(const std::u16string& name);

// True when both names reach one existing file, however each is written.
bool same_file(const std::u16string& a, const std::u16string& b);

// Equal for two names in one folder exactly when the file system takes them for one file: the
// name itself on POSIX, the name in upper case on Windows.
std::u16string name_key(std::u16string_view name);

} // namespace t2k
