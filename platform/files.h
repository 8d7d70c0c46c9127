// The file services of the conversion: input and output files, existence, removal.
// Every failure is an IoError with the table's code and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace t2k {

// Longer names fail with "Invalid filename" before the system is asked, on every platform.
inline constexpr std::size_t max_name_length = 259;

// An existing file opened for reading; others may read it meanwhile but not write it.
class InputFile {
public:
    explicit InputFile(const std::u16string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to size bytes with one system call; 0 at the end of the data.
    std::size_t read(std::uint8_t* buffer, std::size_t size);
    void close();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// A file created (or replaced) for reading and writing; others may read and write it meanwhile.
// Opening the input of the same conversion fails with the sharing violation (32).
class OutputFile {
public:
    explicit OutputFile(const std::u16string& name);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // One system call; storing fewer bytes than asked is "Disk full".
    void write(const std::uint8_t* data, std::size_t size);
    void close();
    const std::u16string& name() const noexcept { return name_; }

    struct Impl;

private:
    std::u16string name_;
    std::unique_ptr<Impl> impl_;
};

// True when name is an existing file; a directory does not count.
bool file_exists(const std::u16string& name);

// Deletes a file; false when it could not be deleted.
bool remove_file(const std::u16string& name);

} // namespace t2k
