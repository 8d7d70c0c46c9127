// Abort: the silent error, which ends the current handler and is shown to nobody.
#pragma once

#include <exception>

namespace t2k {

class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace t2k
