// Error: the base of the program's own errors.
#include "platform/error.h"

#include "platform/text.h"

namespace t2k {

Error::Error(std::u16string text) : std::runtime_error(to_utf8(text)), text_(std::move(text)) {}

} // namespace t2k
