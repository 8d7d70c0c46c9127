// The command line's parsing: getopt-style options, Windows' "/" and "/?", --files-from lists.
#include "cli/arguments.h"
#include "cli/name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace t2k {
namespace {

using Texts = std::vector<std::u16string>;

// The inputs as "file:NAME" and "list:NAME", in order.
Texts inputs_of(const Arguments& args) {
    Texts texts;
    for (const InputArgument& input : args.inputs) {
        texts.push_back((input.kind == InputArgument::Kind::file ? u"file:" : u"list:") +
                        input.text);
    }
    return texts;
}

struct ArgumentsCase {
    const char* name;
    const PathStyle* style;
    Texts args;
    std::u16string output_dir;
    std::u16string extension;
    Texts inputs;
    bool dry_run = false;
    bool help = false;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) {
    *os << c.name;
}

class ArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ArgumentsTest, parses_as_getopt_does) {
    const ArgumentsCase& c = GetParam();
    const Arguments args = parse_arguments(c.args, *c.style);
    EXPECT_EQ(args.output_dir, c.output_dir);
    EXPECT_EQ(args.extension, c.extension);
    EXPECT_EQ(inputs_of(args), c.inputs);
    EXPECT_EQ(args.dry_run, c.dry_run);
    EXPECT_EQ(args.help, c.help);
}

const PathStyle* const windows = &PathStyle::windows;
const PathStyle* const posix = &PathStyle::posix;

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"separate_values",
                      posix,
                      {u"-o", u"out", u"-e", u"nc", u"a"},
                      u"out",
                      u"nc",
                      {u"file:a"}},
        ArgumentsCase{
            "attached_values", posix, {u"-oout", u"-enc", u"a"}, u"out", u"nc", {u"file:a"}},
        ArgumentsCase{"long_values_with_equals",
                      posix,
                      {u"--output-dir=out", u"--extension=", u"--files-from=l", u"a"},
                      u"out",
                      u"",
                      {u"list:l", u"file:a"}},
        ArgumentsCase{"clustered_flags_then_a_value",
                      posix,
                      {u"-nho", u"out", u"a"},
                      u"out",
                      u"",
                      {u"file:a"},
                      true,
                      true},
        ArgumentsCase{"value_that_looks_like_an_option",
                      posix,
                      {u"-o", u"-n", u"a"},
                      u"-n",
                      u"",
                      {u"file:a"}},
        ArgumentsCase{"double_dash_ends_the_options",
                      posix,
                      {u"--", u"-n", u"--x"},
                      u"",
                      u"",
                      {u"file:-n", u"file:--x"}},
        ArgumentsCase{"inputs_keep_their_order",
                      posix,
                      {u"b", u"--files-from", u"l1", u"a", u"--files-from=l2"},
                      u"",
                      u"",
                      {u"file:b", u"list:l1", u"file:a", u"list:l2"}},
        ArgumentsCase{"slashes_kept_on_posix",
                      posix,
                      {u"-o", u"o/p", u"i/a.txt"},
                      u"o/p",
                      u"",
                      {u"file:i/a.txt"}},
        ArgumentsCase{"slashes_are_separators_on_windows",
                      windows,
                      {u"-o", u"o/p", u"--files-from", u"l/x", u"i/a.txt"},
                      u"o\\p",
                      u"",
                      {u"list:l\\x", u"file:i\\a.txt"}},
        ArgumentsCase{
            "extension_keeps_its_slash", windows, {u"-e", u"a/b", u"x"}, u"", u"a/b", {u"file:x"}},
        ArgumentsCase{"question_mark_help_on_windows", windows, {u"/?"}, u"", u"", {}, false, true},
        ArgumentsCase{"question_mark_is_a_file_on_posix", posix, {u"/?"}, u"", u"", {u"file:/?"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    Texts args;
    std::u16string message;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, is_refused_with_its_reason) {
    try {
        parse_arguments(GetParam().args, PathStyle::posix);
        ADD_FAILURE() << "accepted";
    } catch (const UsageError& error) {
        EXPECT_EQ(error.text, GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageTest,
    ::testing::Values(UsageCase{"no_inputs", {u"-n"}, u"no input files"},
                      UsageCase{"unknown_short", {u"-x", u"a"}, u"unknown option '-x'"},
                      UsageCase{"unknown_in_a_cluster", {u"-nx", u"a"}, u"unknown option '-x'"},
                      UsageCase{"unknown_long", {u"--out=x", u"a"}, u"unknown option '--out'"},
                      UsageCase{"missing_value", {u"a", u"-e"}, u"option '-e' needs a value"},
                      UsageCase{"missing_long_value",
                                {u"a", u"--files-from"},
                                u"option '--files-from' needs a value"},
                      UsageCase{"flag_with_a_value",
                                {u"--dry-run=1", u"a"},
                                u"option '--dry-run' takes no value"},
                      UsageCase{"code_page_not_a_number",
                                {u"--code-page=12x", u"a"},
                                u"code page '12x' is not available"},
                      UsageCase{"standard_input_and_a_file",
                                {u"-", u"a"},
                                u"'-' (standard input) cannot be combined with other inputs"},
                      UsageCase{"standard_input_twice",
                                {u"-", u"--files-from", u"-"},
                                u"'-' (standard input) cannot be combined with other inputs"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameListCase {
    const char* name;
    std::string bytes;
    Texts names;
};

void PrintTo(const NameListCase& c, std::ostream* os) {
    *os << c.name;
}

class NameListTest : public ::testing::TestWithParam<NameListCase> {};

TEST_P(NameListTest, gives_one_name_per_line) {
    EXPECT_EQ(parse_name_list(GetParam().bytes), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameListTest,
    ::testing::Values(NameListCase{"empty", "", {}},
                      NameListCase{"lf_and_no_final_line_end", "a\nb", {u"a", u"b"}},
                      NameListCase{"crlf", "a\r\nb\r\n", {u"a", u"b"}},
                      NameListCase{"byte_order_mark",
                                   "\xEF\xBB\xBF"
                                   "a\n",
                                   {u"a"}},
                      NameListCase{"mark_only_at_the_start",
                                   "a\n\xEF\xBB\xBF"
                                   "b\n",
                                   {u"a", u"\uFEFFb"}},
                      NameListCase{"blank_lines_skipped", "\n\r\n \t\na\n\n", {u"a"}},
                      NameListCase{"blanks_around_a_name_kept", " a \n", {u" a "}},
                      NameListCase{"cr_inside_a_line_kept", "a\rb\n", {u"a\rb"}},
                      NameListCase{"utf8", "\xC3\xBC.txt\n", {u"\u00FC.txt"}},
                      NameListCase{
                          "bytes_that_are_not_utf8_carried", "a\xFF\xC3\n", {u"a\xDCFF\xDCC3"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace t2k
