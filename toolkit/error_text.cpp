// Turns an escaped error into the error box's text.
#include "toolkit/error_text.h"

#include "platform/error.h"
#include "platform/text.h"
#include "toolkit/abort.h"

#include <new>

namespace t2k {

namespace {

struct ErrorLayer {
    std::u16string text;
    std::exception_ptr wrapped; // null when this error wraps no other
};

std::exception_ptr nested_in(const std::exception& error) {
    const auto* nested = dynamic_cast<const std::nested_exception*>(&error);
    return nested != nullptr ? nested->nested_ptr() : nullptr;
}

ErrorLayer layer_of(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc& e) {
        return {u"Out of memory", nested_in(e)};
    } catch (const Error& e) {
        return {e.text(), nested_in(e)};
    } catch (const std::exception& e) {
        return {from_utf8(e.what()), nested_in(e)};
    } catch (...) {
        return {};
    }
}

bool is_abort(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Abort&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

std::u16string with_final_period(std::u16string_view text) {
    std::u16string result(text);
    if (!result.empty() && result.back() > u'.') {
        result += u'.';
    }
    return result;
}

std::optional<std::u16string> error_box_text(std::exception_ptr error) {
    if (is_abort(error)) {
        return std::nullopt;
    }
    std::u16string innermost;
    for (std::exception_ptr current = error; current != nullptr;) {
        ErrorLayer layer = layer_of(current);
        if (!layer.text.empty()) {
            innermost = std::move(layer.text);
        }
        current = layer.wrapped;
    }
    return with_final_period(innermost);
}

} // namespace t2k
