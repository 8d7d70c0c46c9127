// The record list's chunks: starting them, appending across them, and taking a record back.
#include "convert/record_list.h"

#include <algorithm>

namespace t2k {
namespace {

// Text is encoded a slice at a time, so a long line never has a second whole copy beside it.
constexpr std::size_t encode_slice = 64 * 1024;

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

void RecordList::start_chunk() {
    // Not cleared: the pages are first touched when the records are written into them. The first
    // chunk is all that most files need; a list that outgrows it is big, and its later chunks ask
    // for huge pages, which make filling them far cheaper.
    chunks_.emplace_back(chunk_size,
                         chunks_.empty() ? PageSize::normal : PageSize::huge_where_offered);
    last_size_ = 0;
}

void RecordList::next_chunk() {
    if (!streaming_ || chunks_.empty()) {
        start_chunk();
        return;
    }
    char* const chunk = chunks_.back().data();
    const std::size_t out = last_size_ - kept_back;
    if (output_ != nullptr) {
        output_->write(reinterpret_cast<const std::uint8_t*>(chunk), out);
    }
    std::memmove(chunk, chunk + out, kept_back);
    written_ += out;
    last_size_ = kept_back;
}

void RecordList::finish() {
    if (streaming_ && output_ != nullptr && !chunks_.empty()) {
        output_->write(reinterpret_cast<const std::uint8_t*>(chunks_.back().data()), last_size_);
    }
    written_ += last_size_;
    last_size_ = 0;
}

void RecordList::append_over_chunks(std::string_view bytes) {
    while (!bytes.empty()) {
        ByteRoom free = room();
        const std::size_t piece =
            std::min(bytes.size(), static_cast<std::size_t>(free.end - free.next));
        std::memcpy(free.next, bytes.data(), piece);
        free.next += piece;
        commit(free);
        bytes.remove_prefix(piece);
    }
}

void RecordList::append_encoded(std::u16string_view text, const CodePage& code_page) {
    std::string kept;
    while (!text.empty()) {
        std::size_t length = std::min(encode_slice, text.size());
        if (length < text.size() && is_high_surrogate(text[length - 1])) {
            --length; // a surrogate pair is encoded whole
        }
        kept = code_page.encode(text.substr(0, length));
        std::erase_if(kept, [](char byte) { return byte == '\r' || byte == '\n'; });
        append(kept);
        text.remove_prefix(length);
    }
}

bool RecordList::tail_bytes_equal(std::uint64_t start, std::string_view bytes) const {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (byte_at(start + i) != bytes[i]) {
            return false;
        }
    }
    return true;
}

void RecordList::truncate(std::uint64_t new_size) {
    new_size -= written_;
    const auto kept_chunks = static_cast<std::size_t>((new_size + chunk_size - 1) / chunk_size);
    chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(kept_chunks), chunks_.end());
    last_size_ = static_cast<std::size_t>(new_size - std::uint64_t{chunk_size} *
                                                         (kept_chunks == 0 ? 0 : kept_chunks - 1));
}

std::vector<std::string_view> RecordList::pieces() const {
    std::vector<std::string_view> pieces;
    for (std::size_t i = 0; i < chunks_.size(); ++i) {
        pieces.emplace_back(chunks_[i].data(), i + 1 == chunks_.size() ? last_size_ : chunk_size);
    }
    return pieces;
}

} // namespace t2k
