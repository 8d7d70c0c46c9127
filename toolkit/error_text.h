// What the error box says for an error that escaped a handler.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace t2k {

// The innermost non-empty text of the error and the errors it wraps, with the final period;
// "Out of memory" for an exhausted heap; nothing at all for Abort, which is dropped silently.
std::optional<std::u16string> error_box_text(std::exception_ptr error);

// A "." is appended when the last character's code is above that of "." itself, so texts ending
// in a period or a closing parenthesis stay as they are.
std::u16string with_final_period(std::u16string_view text);

} // namespace t2k
