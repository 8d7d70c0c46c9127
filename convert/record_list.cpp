// Encoding the records into output bytes.
#include "convert/record_list.h"

namespace t2k {

void RecordList::append(std::u16string_view entry) {
    for (const char byte : code_page_.encode(entry)) {
        if (byte != '\r' && byte != '\n') {
            bytes_ += byte;
        }
    }
}

} // namespace t2k
