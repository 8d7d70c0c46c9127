// Looking at eight bytes at once: finding line ends and replacing underscores without a branch
// per byte.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace t2k::byte_words {

inline constexpr std::uint64_t ones = 0x0101010101010101u;
inline constexpr std::uint64_t low_bits = 0x7F7F7F7F7F7F7F7Fu;

inline std::uint64_t load(const void* from) {
    std::uint64_t word;
    std::memcpy(&word, from, sizeof word);
    return word;
}

inline void store(void* to, std::uint64_t word) {
    std::memcpy(to, &word, sizeof word);
}

// 0x80 in every byte of word that equals value, 0 in every other byte.
inline std::uint64_t equal_bytes(std::uint64_t word, std::uint8_t value) {
    const std::uint64_t x = word ^ (ones * value);
    return ~(((x & low_bits) + low_bits) | x | low_bits);
}

// Whether any byte of word is below limit (at most 0x80); cheaper than asking for each value.
inline bool has_byte_below(std::uint64_t word, std::uint8_t limit) {
    return ((word - ones * limit) & ~word & (ones * 0x80)) != 0;
}

// The offset of the first byte in memory of word that is below limit (at most 0x80); 8 when
// there is none.
inline unsigned first_byte_below(std::uint64_t word, std::uint8_t limit) {
    const std::uint64_t highs = ones * 0x80;
    const std::uint64_t below = ~((word | highs) - ones * limit) & ~word & highs;
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<unsigned>(std::countr_zero(below)) / 8;
    } else {
        return static_cast<unsigned>(std::countl_zero(below)) / 8;
    }
}

// Whether any byte of word equals value.
inline bool has_byte(std::uint64_t word, std::uint8_t value) {
    return has_byte_below(word ^ (ones * value), 1);
}

// Replaces every byte equal to from by to in the size bytes at data.
inline void replace(char* data, std::size_t size, std::uint8_t from, std::uint8_t to) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        const std::uint64_t word = load(data + i);
        if (has_byte(word, from)) {
            const std::uint64_t found = equal_bytes(word, from);
            store(data + i, word ^ ((found >> 7) * static_cast<std::uint8_t>(from ^ to)));
        }
    }
    for (; i < size; ++i) {
        if (static_cast<std::uint8_t>(data[i]) == from) {
            data[i] = static_cast<char>(to);
        }
    }
}

} // namespace t2k::byte_words
