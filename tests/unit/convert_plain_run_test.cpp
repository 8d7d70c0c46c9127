// The vectorised copy of plain line bytes against the byte-by-byte one and the rule they share.
#include "convert/plain_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace t2k {
namespace {

using plain_run::Underscores;

// Where the run must stop and what it must hold, worked out byte by byte from the rule itself.
std::string expected_run(const std::vector<std::uint8_t>& in, std::size_t limit,
                         Underscores underscores) {
    std::string run;
    for (std::size_t i = 0; i < limit; ++i) {
        const std::uint8_t b = in[i];
        if (b == '\r' || b == '\n' || b == 0x1A) {
            break;
        }
        run += static_cast<char>(underscores == Underscores::as_etx && b == '_' ? 0x03 : b);
    }
    return run;
}

// Inputs with one stopping byte (or none) at every offset of the first 48 bytes, underscores
// and the bytes next to the stopping ones (0x0B, 0x19, 0x1B, 0x5E, 0x60, 0x8D, 0x9A) around it.
std::vector<std::vector<std::uint8_t>> inputs() {
    constexpr std::array<std::uint8_t, 4> stops = {'\r', '\n', 0x1A, 0};
    constexpr std::array<std::uint8_t, 8> plain = {'a', '_', 0x0B, 0x19, 0x1B, 0x5E, 0x8D, 0x9A};
    std::vector<std::vector<std::uint8_t>> all;
    for (const std::uint8_t stop : stops) {
        for (std::size_t at = 0; at < 48; ++at) {
            std::vector<std::uint8_t> in(64);
            for (std::size_t i = 0; i < in.size(); ++i) {
                in[i] = plain[(i * 7 + at) % plain.size()];
            }
            if (stop != 0) {
                in[at] = stop;
                in[(at + 5) % in.size()] = '\n'; // a second stop, which must not matter
            }
            all.push_back(in);
        }
    }
    return all;
}

TEST(PlainRun, vectorised_and_portable_copies_stop_and_convert_where_the_rule_says) {
    for (const Underscores underscores : {Underscores::kept, Underscores::as_etx}) {
        for (const std::vector<std::uint8_t>& in : inputs()) {
            for (std::size_t limit = 0; limit <= in.size(); ++limit) {
                const std::string expected = expected_run(in, limit, underscores);
                std::string portable(in.size(), '\xEE');
                ASSERT_EQ(plain_run::copy_portable(in.data(), portable.data(), limit, underscores),
                          expected.size());
                EXPECT_EQ(portable.substr(0, expected.size()), expected);
#if defined(__SSE2__)
                std::string vectorised(in.size(), '\xEE');
                ASSERT_EQ(plain_run::copy_sse2(in.data(), vectorised.data(), limit, underscores),
                          expected.size())
                    << "limit " << limit;
                EXPECT_EQ(vectorised.substr(0, expected.size()), expected);
                EXPECT_EQ(vectorised.substr(limit), std::string(in.size() - limit, '\xEE'))
                    << "wrote past the limit";
#endif
            }
        }
    }
}

} // namespace
} // namespace t2k
