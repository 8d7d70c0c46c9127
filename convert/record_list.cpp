// Encoding the records into output bytes.
#include "convert/record_list.h"

#include "convert/byte_words.h"

#include <algorithm>

namespace t2k {
namespace {

// Entries are encoded a slice at a time, so a long line never has a second whole copy beside it.
constexpr std::size_t encode_slice = 64 * 1024;

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

void RecordList::append(std::u16string_view entry) {
    std::string kept;
    while (!entry.empty()) {
        std::size_t length = std::min(encode_slice, entry.size());
        if (length < entry.size() && is_high_surrogate(entry[length - 1])) {
            --length; // a surrogate pair is encoded whole
        }
        kept.clear();
        for (const char byte : code_page_.encode(entry.substr(0, length))) {
            if (byte != '\r' && byte != '\n') {
                kept += byte;
            }
        }
        copy_in(kept, false);
        entry.remove_prefix(length);
    }
}

void RecordList::append_bytes(std::string_view framing, std::string_view line) {
    if (!chunks_.empty() && chunk_size - chunks_.back().size() >= framing.size() + line.size()) {
        // The usual case: the whole record fits in the last chunk.
        std::string& chunk = chunks_.back();
        chunk.append(framing);
        const std::size_t start = chunk.size();
        chunk.append(line);
        byte_words::replace(chunk.data() + start, line.size(), '_', etx);
        return;
    }
    copy_in(framing, false);
    copy_in(line, true);
}

void RecordList::copy_in(std::string_view bytes, bool underscores_as_etx) {
    while (!bytes.empty()) {
        if (chunks_.empty() || chunks_.back().size() == chunk_size) {
            chunks_.emplace_back().reserve(chunk_size);
        }
        std::string& chunk = chunks_.back();
        const std::size_t start = chunk.size();
        const std::size_t piece = std::min(bytes.size(), chunk_size - start);
        chunk.append(bytes.substr(0, piece));
        if (underscores_as_etx) {
            byte_words::replace(chunk.data() + start, piece, '_', etx);
        }
        bytes.remove_prefix(piece);
    }
}

} // namespace t2k
