// Error: the base of the program's own errors; its text is what the error box shows.
#pragma once

#include <stdexcept>
#include <string>

namespace t2k {

class Error : public std::runtime_error {
public:
    explicit Error(std::u16string text);
    const std::u16string& text() const noexcept { return text_; }

private:
    std::u16string text_;
};

} // namespace t2k
