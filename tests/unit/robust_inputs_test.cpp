// Big and strange inputs through the whole translation: the bytes that come out, or the marker
// message, and an input left as it was.
#include "convert/file_translation.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tovaro_samples.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>

namespace t2k {
namespace {

using test::marker;

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// STX, the body, EOT: an output of one record.
std::string framed(std::string_view body) {
    std::string out;
    out.reserve(body.size() + 2);
    out += '\x02';
    out += body;
    out += '\x04';
    return out;
}

struct Contents {
    std::string input;
    std::optional<std::string> output; // nullopt: the marker message and no output
};

struct InputCase {
    const char* label;
    Contents (*make)(); // made only when the case runs: the big ones are big
    // Large blocks are 64 KiB: block edges need the window's 128-byte blocks.
    ReadMode read_mode = ReadMode::large_blocks;
};

constexpr std::size_t big = 100 * 1024 * 1024;

const InputCase cases[] = {
    {"single_line_of_100_MiB",
     [] {
         return Contents{marker + "\r\n" + repeated("G01_X", big / 5),
                         framed(repeated("G01\x03X", big / 5))};
     }},
    {"million_empty_lines",
     [] {
         return Contents{marker + "\n" + std::string(1'000'000, '\n'),
                         framed(repeated("\x04\x02", 999'999))};
     }},
    // Records of 7 bytes after dropped skip lines; the record chunks hold 2^21 bytes, which is 1
    // more than a multiple of 7, so the eight chunk ends fall on every place in a record.
    {"skip_lines_at_every_place_of_a_chunk_end",
     [] {
         constexpr std::size_t units = 2'400'000;
         return Contents{marker + "\n" + repeated("A\np2\nBC\np2\n", units),
                         framed(repeated("A\x04\x02"
                                         "BC\x04\x02",
                                         units - 1) +
                                "A\x04\x02"
                                "BC")};
     }},
    // Read as 8-bit text the marker's characters are parted by NUL bytes, so it is not there.
    {"utf16_with_byte_order_mark",
     [] {
         return Contents{utf16le(u"\uFEFF\u00ABp2\r\nA_1\r\n"), std::nullopt};
     }},
    {"only_nul_bytes",
     [] {
         return Contents{std::string(64 * 1024, '\0'), std::nullopt};
     }},
    {"nul_bytes_after_the_marker",
     [] {
         return Contents{marker + "\n" + std::string(300, '\0') + std::string("\n\0_\n", 4),
                         framed(std::string(300, '\0') + std::string("\x04\x02\0\x03", 4))};
     }},
    {"marker_in_the_last_byte",
     [] {
         return Contents{"head\r\n" + marker, "\x04"};
     }},
    // The marker ends with the last byte of the second 128-byte block.
    {"marker_at_a_block_end",
     [] {
         return Contents{std::string(252, 'x') + "\n" + marker, "\x04"};
     },
     ReadMode::small_blocks},
    {"marker_split_by_a_block_end",
     [] {
         return Contents{std::string(126, 'x') + marker + "\nA", framed("A")};
     },
     ReadMode::small_blocks},
};

class StrangeInputTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(StrangeInputTest, converts_as_the_rules_say) {
    const Contents c = cases[GetParam()].make();
    test::TempDir dir;
    const auto input = dir.file(u"in.txt");
    test::write_bytes(input, c.input);
    test::RecordingHost host;
    const ConversionOptions options{*CodePage::from_number(1252), PathStyle::native(),
                                    cases[GetParam()].read_mode, WriteMode::buffered};

    translate_tovaro(input, dir.path(), host, options);

    const auto output = dir.file(u"in.maz");
    if (!c.output) {
        EXPECT_EQ(host.messages,
                  std::vector<std::u16string>{std::u16string(marker_missing_message)});
        EXPECT_FALSE(test::path_exists(output));
    } else {
        EXPECT_TRUE(host.messages.empty());
        const std::string written = test::read_bytes(output);
        EXPECT_EQ(written.size(), c.output->size());
        EXPECT_TRUE(written == *c.output) << "the output's bytes differ"; // too big to print
    }
    EXPECT_TRUE(test::read_bytes(input) == c.input) << "the input must not change";
}

INSTANTIATE_TEST_SUITE_P(Inputs, StrangeInputTest,
                         ::testing::Range<std::size_t>(0, std::size(cases)),
                         [](const auto& info) { return std::string(cases[info.param].label); });

} // namespace
} // namespace t2k
