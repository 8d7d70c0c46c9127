// File translation: the framing of the payload, the bytes it writes, and the output names.
#include "convert/file_translation.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tovaro_samples.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace t2k {
namespace {

using test::marker;

// Ten bytes: the payload starts at offset 10 of the first 128-byte block.
const std::string header = "head\r\n" + marker + "\n";

struct TranslationCase {
    const char* name;
    std::string input;
    std::optional<std::string> output; // nullopt: the marker is missing and nothing is written
};

std::string all_bytes_but_underscore() {
    std::string bytes;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != '_') {
            bytes += static_cast<char>(b);
        }
    }
    return bytes;
}

void PrintTo(const TranslationCase& c, std::ostream* os) {
    *os << c.name;
}

// One way of running the translation: how the input is read, how the lines become records, how
// the output is written.
struct Way {
    const char* name;
    ReadMode read;
    LinePath lines;
    WriteMode write;
};

// The window's way, the command line's, and the command line's with every line decoded and
// encoded back: all three must give the same bytes.
const Way ways[] = {
    {"window", ReadMode::small_blocks, LinePath::fastest, WriteMode::byte_per_write},
    {"command_line", ReadMode::large_blocks, LinePath::fastest, WriteMode::buffered},
    {"decoded", ReadMode::large_blocks, LinePath::decoded, WriteMode::buffered},
};

void PrintTo(const Way& way, std::ostream* os) {
    *os << way.name;
}

class TranslationTest : public ::testing::TestWithParam<std::tuple<TranslationCase, Way>> {};

TEST_P(TranslationTest, writes_the_framed_records) {
    const auto& [c, way] = GetParam();
    test::TempDir dir;
    const auto input = dir.file(u"in.txt");
    test::write_bytes(input, c.input);
    test::RecordingHost host;
    const ConversionOptions options{*CodePage::from_number(1252), PathStyle::native(), way.read,
                                    way.write, way.lines};

    translate_tovaro(input, dir.path(), host, options);

    const auto output = dir.file(u"in.maz");
    if (!c.output) {
        EXPECT_EQ(host.messages,
                  std::vector<std::u16string>{u"\"\u00abp2\" not found in Tovaro file"});
        EXPECT_TRUE(host.results.empty());
        EXPECT_FALSE(test::path_exists(output));
        return;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.results, std::vector<std::u16string>{output});
    EXPECT_EQ(test::read_bytes(output), *c.output);
    EXPECT_EQ(test::read_bytes(input), c.input) << "the input must not change";
}

const TranslationCase cases[] = {
    {"two_payload_lines", "head\r\n" + marker + "\r\nA_1\r\nB\r\n",
     "\x02"
     "A\x03"
     "1\x04\x02"
     "B\x04"},
    {"text_around_the_marker_is_ignored", "x" + marker + "y\nL\n", "\x02L\x04"},
    {"marker_on_the_last_line", "a\n" + marker, "\x04"},
    {"only_skip_lines_after_the_marker", marker + "\np2\np2\n", "\x04"},
    {"skip_line_before_the_first_record", marker + "\np2\nA\nB\n",
     "\x02"
     "A\x04\x02"
     "B\x04"},
    {"near_skip_lines_are_records", marker + "\n p2\np2 \nP2\np2x\n",
     "\x02 p2\x04\x02p2 \x04\x02P2\x04\x02p2x\x04"},
    {"empty_first_line_is_stx_alone", marker + "\n\nA\n",
     "\x02\x04\x02"
     "A\x04"},
    {"empty_later_line_is_eot_stx", marker + "\nA\n\nB\n",
     "\x02"
     "A\x04\x02\x04\x02"
     "B\x04"},
    {"second_marker_is_payload", marker + "\n" + marker + "\n", "\x02" + marker + "\x04"},
    {"controls_and_tabs_pass_through", marker + "\na\tb\x01_\n",
     "\x02"
     "a\tb\x01\x03\x04"},
    // Every byte comes out as it went in, the ones Windows-1252 maps above U+00FF included.
    {"every_byte_is_kept", marker + "\n" + all_bytes_but_underscore() + "\n",
     "\x02" + all_bytes_but_underscore() + "\x04"},
    // What is off the plain path: lone CRs, marks inside and after lines, a skip line whose CR
    // is dropped, and line ends cut by the 128-byte blocks the window reads.
    {"lone_cr_and_marks_in_the_payload",
     marker + "\na\rb_\r\nc\x1a"
              "d\r\x1a"
              "e\n\x1a"
              "ignored\n",
     "\x02"
     "ab\x03\x04\x02"
     "c\x04\x02"
     "d\x04\x02"
     "e\x04"},
    {"skip_line_with_a_lone_cr", marker + "\np\r2\nA\n",
     "\x02"
     "A\x04"},
    {"crlf_cut_by_a_block_end", header + std::string(117, 'x') + "\r\ny\n",
     "\x02" + std::string(117, 'x') + "\x04\x02y\x04"},
    {"skip_line_cut_by_a_block_end", header + std::string(116, 'x') + "\np2\nz",
     "\x02" + std::string(116, 'x') + "\x04\x02z\x04"},
    {"underscores_across_block_ends", header + std::string(300, '_') + "\n",
     "\x02" + std::string(300, '\x03') + "\x04"},
    {"no_marker", "just text\n", std::nullopt},
    {"empty_file", "", std::nullopt},
    {"marker_in_a_different_case",
     "\xab"
     "P2\nA\n",
     std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, TranslationTest,
                         ::testing::Combine(::testing::ValuesIn(cases), ::testing::ValuesIn(ways)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// A multi-byte code page cannot be framed byte by byte: its lines are decoded, framed and encoded
// back, and still come out as they went in.
TEST(TranslationDecoded, utf8_input_is_decoded_framed_and_encoded_back) {
    const auto utf8 = CodePage::from_number(65001);
    ASSERT_TRUE(utf8.has_value());
    test::TempDir dir;
    const auto input = dir.file(u"in.txt");
    test::write_bytes(input, "head\r\n\xC2\xAB"
                             "p2\r\nA_\xC3\xA9\r\np2\r\n\xE2\x82\xAC\r\n");
    test::RecordingHost host;
    translate_tovaro(input, dir.path(), host,
                     {*utf8, PathStyle::native(), ReadMode::large_blocks, WriteMode::buffered});
    EXPECT_EQ(test::read_bytes(dir.file(u"in.maz")), "\x02"
                                                     "A\x03\xC3\xA9\x04\x02\xE2\x82\xAC\x04");
}

TEST(ContinuationRecord, frames_the_line_and_turns_underscores_into_etx) {
    EXPECT_EQ(continuation_record(u"a_b_"), u"\x04\x02"
                                            u"a\x03"
                                            u"b\x03");
    EXPECT_EQ(continuation_record(u""), u"\x04\x02");
}

struct OutfileCase {
    const char* name;
    const PathStyle* style;
    std::u16string filename;
    std::u16string path;
    std::u16string extension;
    std::u16string expected;
};

void PrintTo(const OutfileCase& c, std::ostream* os) {
    *os << c.name;
}

class GetOutfileTest : public ::testing::TestWithParam<OutfileCase> {};

TEST_P(GetOutfileTest, builds_the_output_name) {
    const auto& c = GetParam();
    EXPECT_EQ(get_outfile(c.filename, c.path, c.extension, *c.style), c.expected);
}

const PathStyle* win = &PathStyle::windows;
const PathStyle* posix = &PathStyle::posix;

INSTANTIATE_TEST_SUITE_P(
    Cases, GetOutfileTest,
    ::testing::Values(
        OutfileCase{"cut_at_the_first_dot", win, u"C:\\in\\part.rev2.txt", u"D:\\out", u"maz",
                    u"D:\\out\\part.maz"},
        OutfileCase{"folder_with_its_delimiter", win, u"C:\\in\\a.txt", u"D:\\out\\", u"maz",
                    u"D:\\out\\a.maz"},
        OutfileCase{"blank_before_the_dot_stays", win, u"C:\\in\\ab .txt", u"D:\\out", u"maz",
                    u"D:\\out\\ab .maz"},
        OutfileCase{"name_starting_with_a_dot", win, u"C:\\in\\.txt", u"D:\\out", u"maz",
                    u"D:\\out\\.maz"},
        OutfileCase{"name_without_a_dot", win, u"C:\\in\\abc", u"D:\\out", u"maz",
                    u"D:\\out\\abc.maz"},
        OutfileCase{"empty_folder_is_the_root", win, u"abc", u"", u"maz", u"\\abc.maz"},
        OutfileCase{"extension_used_unchanged", win, u"abc", u"D:\\out", u".nc",
                    u"D:\\out\\abc..nc"},
        OutfileCase{"empty_extension_is_maz", win, u"abc.txt", u"D:\\out", u"",
                    u"D:\\out\\abc.maz"},
        OutfileCase{"colon_delimits", win, u"C:abc.txt", u"D:\\out", u"maz", u"D:\\out\\abc.maz"},
        OutfileCase{"slash_is_ordinary_on_windows", win, u"C:\\in\\x/y.txt", u"D:", u"maz",
                    u"D:\\x/y.maz"},
        OutfileCase{"posix_folder", posix, u"/in/part.rev2.txt", u"/out", u"maz", u"/out/part.maz"},
        OutfileCase{"posix_empty_folder", posix, u"abc", u"", u"maz", u"/abc.maz"},
        OutfileCase{"backslash_is_ordinary_on_posix", posix, u"/in/a\\b.txt", u"/out/", u"nc",
                    u"/out/a\\b.nc"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace t2k
