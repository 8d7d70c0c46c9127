// Faults around the conversion on real files: links at output names, an input that goes away
// after the existence check, names at the length limit, directories where files are expected.
#include "convert/batch.h"
#include "platform/io_error.h"
#include "platform/text.h"
#include "tests/support/batch_fixture.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tovaro_samples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace t2k {
namespace {

using Texts = std::vector<std::u16string>;

using test::good_output;
const std::string& good = test::good_input;

using FaultTest = test::BatchFixture;

// An output's name is replaced, never written through: a hard link's other name keeps the old
// content, and a symbolic link goes while what it leads to (a file, nothing, a device that is
// always full) stays as it was.
TEST_F(FaultTest, links_at_output_names_are_replaced_and_what_they_lead_to_stays) {
    const auto kept = input(u"kept.txt", "kept");
    std::filesystem::create_hard_link(std::filesystem::path(kept),
                                      std::filesystem::path(dir.file(u"hard.maz")));
    host.files = {input(u"hard.txt")};
#ifndef _WIN32
    const auto precious = input(u"precious.txt", "precious");
    const std::vector<std::pair<std::u16string, std::u16string>> links = {
        {u"file", precious}, {u"dangling", dir.file(u"nowhere.txt")}, {u"device", u"/dev/full"}};
    for (const auto& [stem, target] : links) {
        std::filesystem::create_symlink(std::filesystem::path(target),
                                        std::filesystem::path(dir.file(stem + u".maz")));
        host.files.push_back(input(stem + u".txt"));
    }
#endif
    host.folder = dir.path();
    EXPECT_EQ(run().first, 0);
    EXPECT_EQ(host.results.size(), host.files.size());
    EXPECT_EQ(test::read_bytes(kept), "kept");
    for (const std::u16string& in : host.files) {
        const std::u16string out = in.substr(0, in.size() - 4) + u".maz";
        EXPECT_TRUE(std::filesystem::is_regular_file(
            std::filesystem::symlink_status(std::filesystem::path(out))))
            << to_utf8(out);
        EXPECT_EQ(test::read_bytes(out), good_output);
    }
#ifndef _WIN32
    EXPECT_EQ(test::read_bytes(precious), "precious");
    EXPECT_FALSE(test::path_exists(dir.file(u"nowhere.txt")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
#endif
}

// The batch reads the output folder between a file's existence check and its open: this host
// deletes the input at that moment for the second file, as another program might.
class VanishingHost : public test::RecordingHost {
public:
    std::u16string doomed;
    int folder_reads = 0;
    std::u16string output_folder() override {
        if (++folder_reads == 2) {
            std::filesystem::remove(std::filesystem::path(doomed));
        }
        return folder;
    }
};

TEST_F(FaultTest, input_that_vanishes_after_the_existence_check_is_file_not_found) {
    VanishingHost vanishing;
    const auto gone = input(u"gone.txt");
    vanishing.files = {input(u"a.txt"), gone, input(u"c.txt")};
    vanishing.folder = dir.path();
    vanishing.doomed = gone;
    EXPECT_EQ(run(vanishing), std::make_pair(2, std::u16string(u"File not found")));
    EXPECT_EQ(vanishing.results, Texts{dir.file(u"a.maz")});
    EXPECT_TRUE(vanishing.messages.empty()) << "the vanished file is a failure, not a message";
    EXPECT_FALSE(test::path_exists(dir.file(u"gone.maz")));
    EXPECT_FALSE(test::path_exists(dir.file(u"c.maz"))) << "the batch must stop";
}

// A full name of exactly the given length: a subfolder of dir, then a 100-unit file name.
std::u16string name_of_length(const test::TempDir& dir, std::size_t length,
                              std::u16string_view extension) {
    const std::size_t file_part = 100;
    const std::size_t folder_part = length - file_part - dir.path().size() - 2;
    const std::u16string folder = dir.file(std::u16string(folder_part, u'f'));
    test::make_folder(folder);
    return PathStyle::native().with_trailing_delimiter(folder) +
           std::u16string(file_part - extension.size() - 1, u'g') + u"." +
           std::u16string(extension);
}

struct LengthCase {
    const char* label;
    std::size_t length;
    bool long_output; // else the input has the length
    int code;         // 0: converted
};

class NameLengthTest : public FaultTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(NameLengthTest, limit_is_259_code_units) {
    const LengthCase& c = GetParam();
    std::u16string in;
    std::u16string out;
    if (c.long_output) {
        out = name_of_length(dir, c.length, u"maz");
        in = input(std::u16string(96, u'g') + u".txt");
        host.folder = out.substr(0, out.size() - 101); // without the delimiter and file name
    } else {
        in = input_at(name_of_length(dir, c.length, u"txt"));
        out = dir.file(std::u16string(96, u'g') + u".maz");
        host.folder = dir.path();
    }
    ASSERT_EQ((c.long_output ? out : in).size(), c.length);
    host.files = {in};
    const auto result = run();
    if (c.code == 0) {
        EXPECT_EQ(result.first, 0) << to_utf8(result.second);
        EXPECT_EQ(host.results, Texts{out});
        EXPECT_EQ(test::read_bytes(out), good_output);
    } else {
        EXPECT_EQ(result, std::make_pair(c.code, std::u16string(u"Invalid filename")));
        EXPECT_TRUE(host.results.empty());
        EXPECT_FALSE(test::path_exists(out));
    }
    EXPECT_EQ(test::read_bytes(in), good);
}

INSTANTIATE_TEST_SUITE_P(Names, NameLengthTest,
                         ::testing::Values(LengthCase{"output_259", 259, true, 0},
                                           LengthCase{"output_260", 260, true, 3},
                                           LengthCase{"input_259", 259, false, 0},
                                           LengthCase{"input_260", 260, false, 3}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FaultTest, directory_where_the_output_file_would_be_is_access_denied_and_stays) {
    const auto a = input(u"a.txt");
    const auto b = input(u"b.txt");
    test::make_folder(dir.file(u"b.maz"));
    const auto inside = PathStyle::native().with_trailing_delimiter(dir.file(u"b.maz")) + u"in.txt";
    test::write_bytes(inside, "kept");
    host.files = {a, b, input(u"c.txt")};
    host.folder = dir.path();
    EXPECT_EQ(run(), std::make_pair(5, std::u16string(u"File access denied")));
    EXPECT_EQ(host.results, Texts{dir.file(u"a.maz")});
    EXPECT_EQ(test::read_bytes(inside), "kept") << "the directory and what it holds must stay";
    EXPECT_FALSE(test::path_exists(dir.file(u"c.maz")));
}

TEST_F(FaultTest, directory_named_like_an_input_file_is_not_found) {
    const auto folder = dir.file(u"looks.txt");
    test::make_folder(folder);
    host.files = {folder, input(u"b.txt")};
    host.folder = dir.path();
    EXPECT_EQ(run().first, 0);
    EXPECT_EQ(host.messages, Texts{u"Cannot find " + folder});
    EXPECT_EQ(host.results, Texts{dir.file(u"b.maz")});
    EXPECT_FALSE(test::path_exists(dir.file(u"looks.maz")));
}

} // namespace
} // namespace t2k
