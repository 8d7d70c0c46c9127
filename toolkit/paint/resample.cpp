// Resampling: fixed-point bilinear drawing through an affine map, and area-averaged resizing.
#include "toolkit/paint/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace t2k {
namespace {

// Mixes two premultiplied pixels, f of 256 parts from q; two channels per 32-bit operation.
inline Pixel mix(Pixel p, Pixel q, std::uint32_t f) {
    const std::uint32_t g = 256u - f;
    const std::uint32_t rb = ((p & 0x00FF00FFu) * g + (q & 0x00FF00FFu) * f) >> 8 & 0x00FF00FFu;
    const std::uint32_t ag =
        ((p >> 8 & 0x00FF00FFu) * g + (q >> 8 & 0x00FF00FFu) * f) & 0xFF00FF00u;
    return rb | ag;
}

inline Pixel source_pixel(const PixelView& source, int x, int y) {
    return source.contains(x, y) ? source.at(x, y) : 0u;
}

constexpr int fraction_bits = 16;
constexpr double one = 1 << fraction_bits;

} // namespace

void draw_transformed(PixelView target, const PixelView& source, const Affine& source_to_target) {
    if (source.width <= 0 || source.height <= 0) {
        return;
    }
    const Affine inverse = source_to_target.inverse();
    const auto step_u = static_cast<std::int64_t>(std::llround(inverse.xx * one));
    const auto step_v = static_cast<std::int64_t>(std::llround(inverse.yx * one));
    const int last_x = source.width - 1;
    const int last_y = source.height - 1;
    for (int y = 0; y < target.height; ++y) {
        // Pixel centres: target (x + .5, y + .5) maps to source centre coordinates, less .5.
        double u0, v0;
        inverse.apply(0.5, y + 0.5, u0, v0);
        auto u = static_cast<std::int64_t>(std::llround((u0 - 0.5) * one));
        auto v = static_cast<std::int64_t>(std::llround((v0 - 0.5) * one));
        Pixel* out = target.row(y);
        for (int x = 0; x < target.width; ++x, u += step_u, v += step_v) {
            const auto iu = static_cast<int>(u >> fraction_bits);
            const auto iv = static_cast<int>(v >> fraction_bits);
            if (iu < -1 || iv < -1 || iu > last_x || iv > last_y) {
                continue;
            }
            const auto fu = static_cast<std::uint32_t>(u >> (fraction_bits - 8) & 0xFF);
            const auto fv = static_cast<std::uint32_t>(v >> (fraction_bits - 8) & 0xFF);
            Pixel top_left, top_right, bottom_left, bottom_right;
            if (iu >= 0 && iv >= 0 && iu < last_x && iv < last_y) {
                const Pixel* p = source.row(iv) + iu;
                top_left = p[0];
                top_right = p[1];
                bottom_left = p[source.stride];
                bottom_right = p[source.stride + 1];
            } else {
                top_left = source_pixel(source, iu, iv);
                top_right = source_pixel(source, iu + 1, iv);
                bottom_left = source_pixel(source, iu, iv + 1);
                bottom_right = source_pixel(source, iu + 1, iv + 1);
            }
            const Pixel sample =
                mix(mix(top_left, top_right, fu), mix(bottom_left, bottom_right, fu), fv);
            out[x] = blend_over(out[x], sample);
        }
    }
}

namespace {

struct Share {
    int index;
    float weight;
};

// For each of `to` cells, the `from` cells it covers and how much of each, summing to 1.
std::vector<std::vector<Share>> area_shares(int from, int to) {
    std::vector<std::vector<Share>> shares(static_cast<std::size_t>(to));
    const double ratio = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double begin = i * ratio;
        const double end = std::min<double>(from, (i + 1) * ratio);
        for (int j = static_cast<int>(begin); j < end && j < from; ++j) {
            const double covered = std::min<double>(end, j + 1) - std::max<double>(begin, j);
            if (covered > 0) {
                shares[static_cast<std::size_t>(i)].push_back(
                    {j, static_cast<float>(covered / (end - begin))});
            }
        }
    }
    return shares;
}

} // namespace

void resize_area(PixelView target, const PixelView& source) {
    if (target.width <= 0 || target.height <= 0 || source.width <= 0 || source.height <= 0) {
        return;
    }
    const auto columns = area_shares(source.width, target.width);
    const auto rows = area_shares(source.height, target.height);
    // Horizontal pass into floats (four channels per pixel), then vertical into the target.
    std::vector<float> narrow(static_cast<std::size_t>(target.width) * source.height * 4);
    for (int y = 0; y < source.height; ++y) {
        const Pixel* in = source.row(y);
        float* out = narrow.data() + static_cast<std::size_t>(y) * target.width * 4;
        for (int x = 0; x < target.width; ++x) {
            for (const Share& share : columns[static_cast<std::size_t>(x)]) {
                for (int c = 0; c < 4; ++c) {
                    out[x * 4 + c] +=
                        share.weight * static_cast<float>(in[share.index] >> (8 * c) & 0xFF);
                }
            }
        }
    }
    for (int y = 0; y < target.height; ++y) {
        Pixel* out = target.row(y);
        for (int x = 0; x < target.width; ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (const Share& share : rows[static_cast<std::size_t>(y)]) {
                const float* in =
                    narrow.data() + (static_cast<std::size_t>(share.index) * target.width + x) * 4;
                for (int c = 0; c < 4; ++c) {
                    sum[c] += share.weight * in[c];
                }
            }
            Pixel p = 0;
            for (int c = 0; c < 4; ++c) {
                p |= static_cast<Pixel>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
            }
            out[x] = p;
        }
    }
}

} // namespace t2k
