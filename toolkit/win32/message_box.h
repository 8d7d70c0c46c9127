// The program's two message boxes: the plain one the conversion reports through and the error box.
#pragma once

#include <string_view>

namespace t2k {

// Modal to the active window and centred over it; caption the application title, no icon, one OK.
// Returns once the user has dismissed it.
void show_message(std::u16string_view text);

// Caption "Error", the error icon, one OK; placed like show_message.
void show_error_box(std::u16string_view text);

} // namespace t2k
