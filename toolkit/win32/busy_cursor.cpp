// BusyCursor: setting and restoring a form's busy state.
#include "toolkit/win32/busy_cursor.h"

namespace t2k {

BusyCursor::BusyCursor(Form* form, bool busy)
    : form_(form), was_busy_(form != nullptr && form->busy()) {
    if (form_ != nullptr && busy != was_busy_) {
        form_->set_busy(busy);
    }
}

BusyCursor::~BusyCursor() {
    if (form_ != nullptr && form_->busy() != was_busy_) {
        form_->set_busy(was_busy_);
    }
}

} // namespace t2k
