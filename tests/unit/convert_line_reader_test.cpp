// The reader's line ends, end-of-file mark, NUL bytes, long lines and decoding, on real files.
#include "convert/line_reader.h"
#include "platform/io_error.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace t2k {
namespace {

using Lines = std::vector<std::u16string>;

CodePage cp1252() {
    return *CodePage::from_number(1252);
}

Lines read_all(const std::u16string& path, ReadMode mode) {
    LineReader reader(path, cp1252(), mode);
    Lines lines;
    while (!reader.at_end()) {
        lines.push_back(reader.read_line());
    }
    reader.close();
    return lines;
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class LineReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(LineReaderTest, gives_the_expected_lines) {
    test::TempDir dir;
    const auto path = dir.file(u"in.txt");
    test::write_bytes(path, GetParam().bytes);
    EXPECT_EQ(read_all(path, ReadMode::small_blocks), GetParam().lines);
    EXPECT_EQ(read_all(path, ReadMode::large_blocks), GetParam().lines);
}

const std::string long_line(5000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReaderTest,
    ::testing::Values(
        ReaderCase{"crlf_lf_and_no_final_line_end", "a\r\nb\nc", {u"a", u"b", u"c"}},
        ReaderCase{"final_crlf_adds_no_line", "a\r\nb\r\n", {u"a", u"b"}},
        ReaderCase{"final_lf_adds_no_line", "a\nb\n", {u"a", u"b"}},
        ReaderCase{"lone_cr_is_dropped_inside_a_line", "ab\rcd\n", {u"abcd"}},
        ReaderCase{"cr_cr_lf_ends_one_line", "a\r\r\nb", {u"a", u"b"}},
        ReaderCase{"lf_cr_at_the_end_gives_an_empty_line", "a\n\r", {u"a", u""}},
        ReaderCase{"empty_file_has_no_line", "", {}},
        ReaderCase{"mark_first_has_no_line",
                   "\x1a"
                   "abc\n",
                   {}},
        ReaderCase{"mark_inside_a_line_ends_it",
                   "abc\x1a"
                   "def\r\n",
                   {u"abc", u"def"}},
        ReaderCase{"mark_then_crlf_gives_an_empty_line", "abc\x1a\r\ndef", {u"abc", u"", u"def"}},
        ReaderCase{"two_marks_end_the_input",
                   "abc\x1a\x1a"
                   "def",
                   {u"abc"}},
        ReaderCase{"mark_after_a_line_end_ends_the_input",
                   "abc\n\x1a"
                   "def",
                   {u"abc"}},
        ReaderCase{"cr_then_mark_ends_the_line",
                   "ab\r\x1a"
                   "cd",
                   {u"ab", u"cd"}},
        ReaderCase{"nul_bytes_stay", std::string("a\0b\n", 4), {std::u16string(u"a\0b", 3)}},
        ReaderCase{"marker_bytes_decode_to_the_marker",
                   "\xab"
                   "p2\n",
                   {u"\u00abp2"}},
        ReaderCase{"byte_80_decodes_to_euro", "\x80\n", {u"\u20ac"}},
        ReaderCase{"utf8_signature_is_three_characters", "\xef\xbb\xbfx", {u"\u00ef\u00bb\u00bfx"}},
        ReaderCase{"long_line_comes_back_whole",
                   long_line + "\r\n" + long_line,
                   {std::u16string(5000, u'x'), std::u16string(5000, u'x')}},
        // Line ends that straddle the 128-byte blocks the file is read in.
        ReaderCase{"crlf_across_a_block_boundary",
                   std::string(127, 'y') + "\r\nz",
                   {std::u16string(127, u'y'), u"z"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineReaderFailure, missing_file_is_file_not_found) {
    test::TempDir dir;
    try {
        LineReader reader(dir.file(u"absent.txt"), cp1252(), ReadMode::small_blocks);
        FAIL() << "opened a missing file";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), 2);
        EXPECT_EQ(error.text(), u"File not found");
    }
}

TEST(LineReaderFailure, name_longer_than_259_units_is_invalid_filename) {
    test::TempDir dir;
    const std::u16string name = dir.file(u"") + std::u16string(260 - dir.file(u"").size(), u'n');
    ASSERT_EQ(name.size(), 260u);
    try {
        LineReader reader(name, cp1252(), ReadMode::small_blocks);
        FAIL() << "opened an over-long name";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), 3);
        EXPECT_EQ(error.text(), u"Invalid filename");
    }
}

} // namespace
} // namespace t2k
