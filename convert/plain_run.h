// Copying a run of plain line bytes 16 at a time: the one place the conversion is vectorised.
#pragma once

#include "convert/record_framing.h"

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace t2k::plain_run {

// The bytes that stop a run: the reader decides what each of them means.
inline constexpr std::uint8_t cr = 0x0D;
inline constexpr std::uint8_t lf = 0x0A;
inline constexpr std::uint8_t end_of_file_mark = 0x1A;

// The framing's underscore and ETX are ASCII, the same byte in every single-byte code page.
static_assert(underscore < 0x80 && etx < 0x80);

// Whether the copy writes every underscore as ETX (a record) or keeps it (a line to decode).
enum class Underscores { kept, as_etx };

inline bool stops_run(std::uint8_t byte) {
    return byte == cr || byte == lf || byte == end_of_file_mark;
}

// One byte at a time; also the tail of the vectorised copy.
inline std::size_t copy_portable(const std::uint8_t* from, char* to, std::size_t limit,
                                 Underscores underscores) {
    const bool as_etx = underscores == Underscores::as_etx;
    std::size_t i = 0;
    for (; i < limit && !stops_run(from[i]); ++i) {
        to[i] = static_cast<char>(as_etx && from[i] == underscore ? etx : from[i]);
    }
    return i;
}

#if defined(__SSE2__)
// Sixteen bytes a step: every step stores all sixteen (underscores flipped to ETX by a mask) and
// stops at the first CR, LF or mark among them; the bytes stored past it are overwritten later.
// One unsigned comparison finds every byte up to the mark's value; the few other control bytes
// among them (a tab, say) are looked at one by one and passed over.
inline std::size_t copy_sse2(const std::uint8_t* from, char* to, std::size_t limit,
                             Underscores underscores) {
    static_assert(cr < end_of_file_mark && lf < end_of_file_mark);
    const __m128i highest_stop = _mm_set1_epi8(static_cast<char>(end_of_file_mark));
    const __m128i underscore_bytes = _mm_set1_epi8(static_cast<char>(underscore));
    const __m128i flip = underscores == Underscores::as_etx
                             ? _mm_set1_epi8(static_cast<char>(underscore ^ etx))
                             : _mm_setzero_si128();
    std::size_t i = 0;
    for (const std::size_t whole_steps_end = limit & ~std::size_t{15}; i != whole_steps_end;
         i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i found = _mm_and_si128(_mm_cmpeq_epi8(bytes, underscore_bytes), flip);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_xor_si128(bytes, found));
        const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(bytes, highest_stop), bytes);
        for (auto low_bits = static_cast<unsigned>(_mm_movemask_epi8(low)); low_bits != 0;
             low_bits &= low_bits - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(low_bits));
            if (stops_run(from[at])) {
                return at;
            }
        }
    }
    return i + copy_portable(from + i, to + i, limit - i, underscores);
}
#endif

// Copies bytes from `from` to `to` up to the first CR, LF or end-of-file mark, at most limit of
// them, and returns how many it copied. It may write anywhere in to[0, limit).
inline std::size_t copy(const std::uint8_t* from, char* to, std::size_t limit,
                        Underscores underscores) {
#if defined(__SSE2__)
    return copy_sse2(from, to, limit, underscores);
#else
    return copy_portable(from, to, limit, underscores);
#endif
}

} // namespace t2k::plain_run
