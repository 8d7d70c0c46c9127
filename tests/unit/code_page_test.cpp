// Code pages: one table of rules run natively and under Wine, where the conversions are the
// system's own, so both builds are held to what Windows does.
#include "convert/file_translation.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/text.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace t2k {
namespace {

struct SingleByteCase {
    unsigned code_page;
    std::optional<char> marker_byte; // the byte that stands for "«"; none when the page lacks it
};

void PrintTo(const SingleByteCase& c, std::ostream* os) {
    *os << c.code_page;
}

std::string every_byte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

// Every byte that may stand inside a line: all but CR, LF and the end-of-file mark.
std::string every_line_byte() {
    std::string bytes;
    for (const char b : every_byte()) {
        if (b != '\r' && b != '\n' && b != 0x1A) {
            bytes += b;
        }
    }
    return bytes;
}

// The record a line gives when every byte comes out as it went in.
std::string framed(const std::string& line, bool first) {
    std::string record = first ? "\x02" : "\x04\x02";
    for (const char b : line) {
        record += b == '_' ? '\x03' : b;
    }
    return record;
}

// Converts input with the code page; the output's bytes, or nullopt when the marker was missing.
std::optional<std::string> convert(const CodePage& code_page, const std::string& input) {
    test::TempDir dir;
    const auto name = dir.file(u"in.txt");
    test::write_bytes(name, input);
    test::RecordingHost host;
    translate_tovaro(name, dir.path(), host,
                     {code_page, PathStyle::native(), ReadMode::large_blocks, WriteMode::buffered});
    const auto output = dir.file(u"in.maz");
    if (!test::path_exists(output)) {
        EXPECT_EQ(host.messages,
                  std::vector<std::u16string>{std::u16string(marker_missing_message)});
        return std::nullopt;
    }
    return test::read_bytes(output);
}

class SingleByteTest : public ::testing::TestWithParam<SingleByteCase> {
protected:
    CodePage code_page() const {
        const auto page = CodePage::from_number(GetParam().code_page);
        EXPECT_TRUE(page.has_value());
        return page.value_or(CodePage::system());
    }
};

TEST_P(SingleByteTest, every_byte_decodes_to_one_character_that_encodes_back_to_it) {
    const std::u16string text = code_page().decode(every_byte());
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(code_page().encode(text), every_byte());
    EXPECT_EQ(text.substr(0x20, 0x5F),
              u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
              u"[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~");
    EXPECT_EQ(text.find(u'\u00AB') == std::u16string::npos, !GetParam().marker_byte);
}

TEST_P(SingleByteTest, every_byte_after_the_marker_comes_out_as_it_went_in) {
    const std::string line = every_line_byte();
    if (!GetParam().marker_byte) {
        // Without a "«" no line of this code page can hold the marker.
        EXPECT_EQ(convert(code_page(), "\xAB"
                                       "p2\n\xAE"
                                       "p2\n" +
                                           line + "\r\n"),
                  std::nullopt);
        return;
    }
    const std::string marker = *GetParam().marker_byte + std::string("p2");
    // The byte line twice, and a short last line: a converter that holds a character back until
    // it sees the next one would lose the end of each line.
    const std::string input = "head\r\n" + marker + "\r\n" + line + "\r\n" + line + "\nz\n";
    EXPECT_EQ(convert(code_page(), input),
              framed(line, true) + framed(line, false) + framed("z", false) + "\x04");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SingleByteTest,
    ::testing::Values(SingleByteCase{874, std::nullopt}, SingleByteCase{1250, '\xAB'},
                      SingleByteCase{1251, '\xAB'}, SingleByteCase{1252, '\xAB'},
                      SingleByteCase{1253, '\xAB'}, SingleByteCase{1254, '\xAB'},
                      SingleByteCase{1255, '\xAB'}, SingleByteCase{1256, '\xAB'},
                      SingleByteCase{1257, '\xAB'}, SingleByteCase{1258, '\xAB'},
                      SingleByteCase{437, '\xAE'}, SingleByteCase{850, '\xAE'},
                      SingleByteCase{866, std::nullopt}),
    [](const auto& info) { return std::to_string(info.param.code_page); });

struct Utf8Case {
    const char* name;
    std::string line;
    std::string record; // the line's record: valid sequences kept, the others as EF BF BD
};

void PrintTo(const Utf8Case& c, std::ostream* os) {
    *os << c.name;
}

const std::string replacement = "\xEF\xBF\xBD";

class Utf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, valid_sequences_are_kept_and_others_replaced_as_windows_groups_them) {
    const auto utf8 = CodePage::from_number(65001);
    ASSERT_TRUE(utf8.has_value());
    const std::string input = "\xC2\xAB"
                              "p2\n" +
                              GetParam().line + "\nz\n";
    EXPECT_EQ(convert(*utf8, input), "\x02" + GetParam().record + "\x04\x02z\x04");
}

// Windows takes a lead byte and the continuation bytes that still fit it as one bad sequence;
// a byte that cannot start one stands alone; a sequence cut by the line's end is one.
INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Test,
    ::testing::Values(
        Utf8Case{"one_to_four_bytes",
                 "A_\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF",
                 "A\x03\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
        Utf8Case{"lone_continuation_bytes", "\x80\xBF", replacement + replacement},
        Utf8Case{"bytes_that_start_nothing", "\xC0\xAF\xF5\x80\xFF",
                 replacement + replacement + replacement + replacement + replacement},
        Utf8Case{"overlong_three_bytes", "\xE0\x80\x80", replacement + replacement},
        Utf8Case{"overlong_four_bytes", "\xF0\x8F\xBF\xBF",
                 replacement + replacement + replacement},
        Utf8Case{"surrogate", "\xED\xA0\x80", replacement + replacement},
        Utf8Case{"above_U_10FFFF", "\xF4\x90\x80\x80", replacement + replacement + replacement},
        Utf8Case{"sequence_broken_by_ascii",
                 "\xE2\x82"
                 "A\xF0\x9F\x98"
                 "B",
                 replacement + "A" + replacement + "B"},
        Utf8Case{"sequence_broken_by_a_lead_byte", "\xC2\xC2\xA9", replacement + "\xC2\xA9"},
        Utf8Case{"sequence_cut_by_the_line_end", "x\xE2\x82", "x" + replacement}),
    [](const auto& info) { return std::string(info.param.name); });

// File names and other text from the system: any bytes survive the trip through the program's
// 16-bit text, the undecodable ones as lone surrogates U+DC80..U+DCFF.
TEST(SystemText, any_bytes_come_back_as_they_were) {
    const std::string cases[] = {"plain",
                                 "\xC3\xBC \xE2\x82\xAC \xF0\x9F\x98\x80",
                                 "n\xFFm",
                                 "\xED\xB2\x80",     // a surrogate written as UTF-8
                                 "\xC0\xAF\xE2\x82", // overlong, then cut short
                                 every_byte()};
    for (const std::string& bytes : cases) {
        EXPECT_EQ(to_utf8(from_utf8(bytes)), bytes);
    }
    EXPECT_EQ(from_utf8("n\xFFm"), u"n\xDCFFm");
    EXPECT_EQ(from_utf8("\xED\xB2\x80"), u"\xDCED\xDCB2\xDC80");
}

TEST(SystemText, other_lone_surrogates_are_written_as_the_replacement) {
    const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC10)};
    EXPECT_EQ(to_utf8(lone), "a\xEF\xBF\xBD"
                             "b\xEF\xBF\xBD");
    EXPECT_EQ(to_utf8(u"\xDCFF", LoneSurrogates::as_replacement), "\xEF\xBF\xBD");
}

#if defined(_WIN32)
// The system's conversions take int sizes: a longer text is refused as a whole, never cut. The
// views are longer than their buffers, so a conversion that reads before checking would crash.
TEST(LongText, two_gib_or_more_is_refused_with_its_reason) {
    const std::size_t too_long = std::size_t{1} << 31;
    const char bytes[] = "abc";
    const char16_t units[] = u"abc";
    const CodePage code_page = *CodePage::from_number(1252);
    const auto refused = [](auto&& convert) {
        try {
            convert();
        } catch (const Error& error) {
            return error.text();
        }
        return std::u16string(u"converted");
    };
    const std::u16string reason = u"Text too long to convert: 2 GiB or more";
    EXPECT_EQ(refused([&] { code_page.decode(std::string_view(bytes, too_long)); }), reason);
    EXPECT_EQ(refused([&] { code_page.encode(std::u16string_view(units, too_long)); }), reason);
    EXPECT_EQ(refused([&] { code_page.holds(std::u16string_view(units, too_long)); }), reason);
}
#endif

} // namespace
} // namespace t2k
