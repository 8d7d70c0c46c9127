// The extension an output file gets when none is given: the conversion's and the settings' default,
// here because this is the one folder both of them may include.
#pragma once

#include <string_view>

namespace t2k {

inline constexpr std::u16string_view default_extension = u"maz";

} // namespace t2k
