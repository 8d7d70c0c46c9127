// The failure codes' texts.
#include "platform/io_error.h"

#include "platform/text.h"

#include <string>

namespace t2k {

std::u16string io_error_text(int code) {
    switch (code) {
    case io_code::file_not_found:
        return u"File not found";
    case io_code::invalid_filename:
        return u"Invalid filename";
    case io_code::too_many_open_files:
        return u"Too many open files";
    case io_code::access_denied:
        return u"File access denied";
    case io_code::read_beyond_eof:
        return u"Read beyond end of file";
    case io_code::disk_full:
        return u"Disk full";
    case io_code::invalid_numeric_input:
        return u"Invalid numeric input";
    default:
        return u"I/O error " + ascii(std::to_string(code));
    }
}

IoError::IoError(int code) : Error(io_error_text(code)), code_(code) {}

} // namespace t2k
