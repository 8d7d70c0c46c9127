// IoError: the input/output failure the file services raise, a code and the text chosen from it.
#pragma once

#include "platform/error.h"

#include <string>

namespace t2k {

// Codes of our own, beside the system's error codes.
namespace io_code {
inline constexpr int file_not_found = 2;
inline constexpr int invalid_filename = 3;
inline constexpr int too_many_open_files = 4;
inline constexpr int access_denied = 5;
inline constexpr int sharing_violation = 32;
inline constexpr int read_beyond_eof = 100;
inline constexpr int disk_full = 101;
inline constexpr int invalid_numeric_input = 106;
} // namespace io_code

// The text for a failure code: "File not found", ..., or "I/O error %d" for any other code.
std::u16string io_error_text(int code);

class IoError : public Error {
public:
    explicit IoError(int code);
    int code() const noexcept { return code_; }

private:
    int code_;
};

} // namespace t2k
