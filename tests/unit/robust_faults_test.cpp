// Faults around the conversion on real files: a device that is always full, an input that goes
// away after the existence check, names at the length limit, directories where files are expected.
#include "convert/batch.h"
#include "platform/io_error.h"
#include "platform/text.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace t2k {
namespace {

using Texts = std::vector<std::u16string>;

const std::string good = "\xab"
                         "p2\r\nA_1\r\n";
const std::string good_output = "\x02"
                                "A\x03"
                                "1\x04";

class FaultTest : public ::testing::Test {
protected:
    ConversionOptions options{*CodePage::from_number(1252), PathStyle::native(),
                              ReadMode::small_blocks, WriteMode::byte_per_write};
    test::TempDir dir;
    test::RecordingHost host;

    std::u16string input(const std::u16string& path, const std::string& bytes = good) {
        test::write_bytes(path, bytes);
        return path;
    }

    template <typename Host> std::pair<int, std::u16string> run(Host& h) {
        try {
            run_batch(h, options);
        } catch (const IoError& error) {
            return {error.code(), error.text()};
        }
        return {0, u""};
    }
    std::pair<int, std::u16string> run() { return run(host); }
};

#ifndef _WIN32
TEST_F(FaultTest, output_onto_a_full_device_is_disk_full_and_leaves_no_file) {
    // The output's name leads to /dev/full, where every write fails for want of space.
    std::error_code no_device;
    if (!std::filesystem::exists("/dev/full", no_device)) {
        GTEST_SKIP() << "this system has no /dev/full";
    }
    const auto full = dir.file(u"full");
    test::make_folder(full);
    std::filesystem::create_symlink("/dev/full", std::filesystem::path(full + u"/big.maz"));
    const auto earlier = input(dir.file(u"earlier.txt"));
    host.files = {earlier, input(dir.file(u"big.txt")), input(dir.file(u"after.txt"))};
    host.folder = full;
    for (WriteMode mode : {WriteMode::byte_per_write, WriteMode::buffered}) {
        options.write_mode = mode;
        EXPECT_EQ(run(), std::make_pair(101, std::u16string(u"Disk full")));
        EXPECT_EQ(host.results, Texts{full + u"/earlier.maz"});
        EXPECT_EQ(test::read_bytes(full + u"/earlier.maz"), good_output);
        EXPECT_FALSE(test::path_exists(full + u"/big.maz")) << "the failed output must go";
        EXPECT_FALSE(test::path_exists(full + u"/after.maz")) << "the batch must stop";
        std::filesystem::create_symlink("/dev/full", std::filesystem::path(full + u"/big.maz"));
    }
}
#endif

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
    const auto gone = input(dir.file(u"gone.txt"));
    vanishing.files = {input(dir.file(u"a.txt")), gone, input(dir.file(u"c.txt"))};
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
        in = input(dir.file(std::u16string(96, u'g') + u".txt"));
        host.folder = out.substr(0, out.size() - 101); // without the delimiter and file name
    } else {
        in = input(name_of_length(dir, c.length, u"txt"));
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
    const auto a = input(dir.file(u"a.txt"));
    const auto b = input(dir.file(u"b.txt"));
    test::make_folder(dir.file(u"b.maz"));
    const auto inside = PathStyle::native().with_trailing_delimiter(dir.file(u"b.maz")) + u"in.txt";
    test::write_bytes(inside, "kept");
    host.files = {a, b, input(dir.file(u"c.txt"))};
    host.folder = dir.path();
    EXPECT_EQ(run(), std::make_pair(5, std::u16string(u"File access denied")));
    EXPECT_EQ(host.results, Texts{dir.file(u"a.maz")});
    EXPECT_EQ(test::read_bytes(inside), "kept") << "the directory and what it holds must stay";
    EXPECT_FALSE(test::path_exists(dir.file(u"c.maz")));
}

TEST_F(FaultTest, directory_named_like_an_input_file_is_not_found) {
    const auto folder = dir.file(u"looks.txt");
    test::make_folder(folder);
    host.files = {folder, input(dir.file(u"b.txt"))};
    host.folder = dir.path();
    EXPECT_EQ(run().first, 0);
    EXPECT_EQ(host.messages, Texts{u"Cannot find " + folder});
    EXPECT_EQ(host.results, Texts{dir.file(u"b.maz")});
    EXPECT_FALSE(test::path_exists(dir.file(u"looks.maz")));
}

} // namespace
} // namespace t2k
