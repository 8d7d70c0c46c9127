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
        if (upper_share > 0)
            by_offset[static_cast<int>(below) + 1] += weight * upper_share;
    }
    std::vector<Tap> taps;
    std::uint32_t sum = 0;
    for (const auto& [offset, weight] : by_offset) {
        const auto fixed = static_cast<std::uint32_t>(std::lround(weight / total * 65536.0));
        if (fixed == 0)
            continue;
        taps.push_back({offset, fixed});
        sum += fixed;
    }
    // Rounding leftovers go to the centre, so a flat area stays exactly as it was.
    auto centre =
        std::find_if(taps.begin(), taps.end(), [](const Tap& t) { return t.offset == 0; });
    centre->weight += 65536u - sum;
    return taps;
}

namespace {

inline void accumulate(std::uint32_t* __restrict sums, const std::uint8_t* __restrict bytes,
                       std::uint32_t weight, int count) {
    for (int i = 0; i < count; ++i)
        sums[i] += weight * bytes[i];
}

inline void store(std::uint8_t* __restrict bytes, const std::uint32_t* __restrict sums, int count) {
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>((sums[i] + 32768u) >> 16);
}

} // namespace

void GaussianBlur::apply(PixelView image, float amount) {
    if (image.width <= 0 || image.height <= 0)
        return;
    if (amount != taps_amount_) {
        taps_ = taps(amount);
        taps_amount_ = amount;
    }
    const int reach_px = std::max(-taps_.front().offset, taps_.back().offset);
    const int row_bytes = image.width * 4;
    sums_.resize(static_cast<std::size_t>(row_bytes));
    padded_row_.assign(static_cast<std::size_t>(row_bytes + 8 * reach_px), 0);
    between_passes_.resize(static_cast<std::size_t>(image.width) * image.height);

    // Horizontal: each row copied between transparent margins, then the taps read shifted copies.
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(padded_row_.data() + 4 * reach_px, image.row(y),
                    static_cast<std::size_t>(row_bytes));
        std::fill(sums_.begin(), sums_.end(), 0u);
        for (const Tap& tap : taps_)
            accumulate(sums_.data(), padded_row_.data() + 4 * (reach_px + tap.offset), tap.weight,
                       row_bytes);
        store(reinterpret_cast<std::uint8_t*>(between_passes_.data() +
                                              static_cast<std::size_t>(y) * image.width),
              sums_.data(), row_bytes);
    }
    // Vertical: rows outside the image are transparent and add nothing.
    for (int y = 0; y < image.height; ++y) {
        std::fill(sums_.begin(), sums_.end(), 0u);
        for (const Tap& tap : taps_) {
            const int from = y + tap.offset;
            if (from < 0 || from >= image.height)
                continue;
            accumulate(sums_.data(),
                       reinterpret_cast<const std::uint8_t*>(
                           between_passes_.data() + static_cast<std::size_t>(from) * image.width),
                       tap.weight, row_bytes);
        }
        store(reinterpret_cast<std::uint8_t*>(image.row(y)), sums_.data(), row_bytes);
    }
}

} // namespace t2k
