// GaussianBlur: precomputed whole-pixel taps and two fixed-point passes over the bytes of a row.
#include "toolkit/paint/gaussian_blur.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace t2k {

float GaussianBlur::held_amount(float amount) {
    return std::clamp(amount, min_amount, max_amount);
}

int GaussianBlur::reach(float amount) {
    return static_cast<int>(std::ceil(samples_per_side * held_amount(amount))) + 1;
}

std::vector<GaussianBlur::Tap> GaussianBlur::taps(float amount) {
    const double spacing = held_amount(amount);
    // Gaussian over the sample index, sigma of half the samples on a side.
    constexpr double sigma = samples_per_side / 2.0;
    std::map<int, double> by_offset;
    double total = 0;
    for (int k = -samples_per_side; k <= samples_per_side; ++k) {
        const double weight = std::exp(-(k * k) / (2 * sigma * sigma));
        total += weight;
        // A sample between two pixels reads both, linearly: split its weight between them.
        const double at = k * spacing;
        const double below = std::floor(at);
        const double upper_share = at - below;
        by_offset[static_cast<int>(below)] += weight * (1 - upper_share);
        if (upper_share > 0) {
            by_offset[static_cast<int>(below) + 1] += weight * upper_share;
        }
    }
    std::vector<Tap> taps;
    int sum = 0;
    for (const auto& [offset, weight] : by_offset) {
        const auto fixed = static_cast<int>(std::lround(weight / total * 256.0));
        if (fixed == 0) {
            continue;
        }
        taps.push_back({offset, static_cast<std::uint16_t>(fixed)});
        sum += fixed;
    }
    // Mirrored taps must weigh the same (the passes add them in pairs); they do, being rounded
    // from equal values. Rounding leftovers go to the centre, so a flat area stays exactly as it
    // was.
    auto centre =
        std::find_if(taps.begin(), taps.end(), [](const Tap& t) { return t.offset == 0; });
    centre->weight = static_cast<std::uint16_t>(centre->weight + 256 - sum);
    return taps;
}

namespace {

// Sixteen bytes (four pixels) at a time, widened to 16 bits: a byte times a weight of at most 256
// and the sum over weights of 256 stay below 65536.
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Words16 = std::uint16_t __attribute__((vector_size(32)));
constexpr int chunk = 16;

int chunks_for(int bytes) {
    return (bytes + chunk - 1) / chunk;
}

inline void accumulate(std::uint16_t* sums, const std::uint8_t* bytes, std::uint16_t weight,
                       int chunks) {
    for (int i = 0; i < chunks; ++i) {
        Bytes16 in;
        std::memcpy(&in, bytes + i * chunk, chunk);
        Words16 sum;
        std::memcpy(&sum, sums + i * chunk, sizeof sum);
        sum += __builtin_convertvector(in, Words16) * weight;
        std::memcpy(sums + i * chunk, &sum, sizeof sum);
    }
}

// Two taps of the same weight, mirrored about the centre: one multiplication for both.
inline void accumulate_pair(std::uint16_t* sums, const std::uint8_t* before,
                            const std::uint8_t* after, std::uint16_t weight, int chunks) {
    for (int i = 0; i < chunks; ++i) {
        Bytes16 a, b;
        std::memcpy(&a, before + i * chunk, chunk);
        std::memcpy(&b, after + i * chunk, chunk);
        Words16 sum;
        std::memcpy(&sum, sums + i * chunk, sizeof sum);
        sum += (__builtin_convertvector(a, Words16) + __builtin_convertvector(b, Words16)) * weight;
        std::memcpy(sums + i * chunk, &sum, sizeof sum);
    }
}

// Rounds the sums of one chunk back to bytes and writes `count` of them.
inline void store_chunk(std::uint8_t* out, const std::uint16_t* sums, std::size_t count) {
    Words16 sum;
    std::memcpy(&sum, sums, sizeof sum);
    const Bytes16 value = __builtin_convertvector((sum + 128) >> 8, Bytes16);
    std::memcpy(out, &value, count);
}

// Rounds the sums back to bytes; writes exactly `bytes` bytes.
inline void store(std::uint8_t* out, const std::uint16_t* sums, int bytes) {
    const int whole = bytes / chunk;
    for (int i = 0; i < whole; ++i) {
        store_chunk(out + i * chunk, sums + i * chunk, chunk);
    }
    if (bytes > whole * chunk) {
        store_chunk(out + whole * chunk, sums + whole * chunk,
                    static_cast<std::size_t>(bytes - whole * chunk));
    }
}

} // namespace

void GaussianBlur::apply(PixelView image, float amount) {
    if (image.width <= 0 || image.height <= 0) {
        return;
    }
    if (amount != taps_amount_) {
        taps_ = taps(amount);
        taps_amount_ = amount;
    }
    const int reach_px = std::max(-taps_.front().offset, taps_.back().offset);
    const int row_bytes = image.width * 4;
    const int chunks = chunks_for(row_bytes);
    const auto padded_bytes = static_cast<std::size_t>(chunks * chunk);
    sums_.resize(padded_bytes);
    // Transparent margins on both sides, and room for the last chunk to read past the row.
    padded_row_.assign(static_cast<std::size_t>(8 * reach_px) + padded_bytes, 0);
    between_passes_.resize(padded_bytes * static_cast<std::size_t>(image.height));
    zero_row_.assign(padded_bytes, 0);
    const auto between = [&](int y) {
        return between_passes_.data() + padded_bytes * y;
    };

    // Horizontal: each row copied between transparent margins, then the taps read shifted copies.
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(padded_row_.data() + 4 * reach_px, image.row(y),
                    static_cast<std::size_t>(row_bytes));
        std::fill(sums_.begin(), sums_.end(), std::uint16_t{0});
        const std::uint8_t* centre = padded_row_.data() + 4 * reach_px;
        for (const Tap& tap : taps_) {
            if (tap.offset == 0) {
                accumulate(sums_.data(), centre, tap.weight, chunks);
            } else if (tap.offset > 0) {
                accumulate_pair(sums_.data(), centre - 4 * tap.offset, centre + 4 * tap.offset,
                                tap.weight, chunks);
            }
        }
        store(between(y), sums_.data(), static_cast<int>(padded_bytes));
    }
    // Vertical: rows outside the image are transparent and add nothing.
    for (int y = 0; y < image.height; ++y) {
        std::fill(sums_.begin(), sums_.end(), std::uint16_t{0});
        const auto row_or_none = [&](int from) {
            return from >= 0 && from < image.height ? between(from) : zero_row_.data();
        };
        for (const Tap& tap : taps_) {
            if (tap.offset == 0) {
                accumulate(sums_.data(), between(y), tap.weight, chunks);
            } else if (tap.offset > 0) {
                accumulate_pair(sums_.data(), row_or_none(y - tap.offset),
                                row_or_none(y + tap.offset), tap.weight, chunks);
            }
        }
        store(reinterpret_cast<std::uint8_t*>(image.row(y)), sums_.data(), row_bytes);
    }
}

} // namespace t2k
