// The error box: what the catch-all shows for an escaped error.
#include "toolkit/win32/catch_all.h"

#include "toolkit/error_text.h"
#include "toolkit/win32/message_box.h"

namespace t2k {

void report_error(std::exception_ptr error) noexcept {
    try {
        if (const auto text = error_box_text(error)) {
            show_error_box(*text);
        }
    } catch (...) {
        // Nothing is left to tell the user with when the error box itself fails.
    }
}

} // namespace t2k
