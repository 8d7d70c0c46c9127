// The batch over real files: messages in order, listed outputs, and the failures that stop it.
#include "convert/batch.h"
#include "platform/io_error.h"
#include "platform/text.h"
#include "tests/support/batch_fixture.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tovaro_samples.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

namespace t2k {
namespace {

using Texts = std::vector<std::u16string>;

using test::good_output;
using test::marker;
const std::string& good = test::good_input;
const std::u16string marker_message = u"\"\u00abp2\" not found in Tovaro file";

using BatchTest = test::BatchFixture;

TEST_F(BatchTest, reports_each_line_in_order_and_lists_what_it_wrote) {
    const auto a = input(u"a.txt", good);
    const auto none = input(u"none.txt", "no marker here\n");
    const auto b = input(u"b.txt", good);
    test::make_folder(dir.file(u"folder"));
    host.files = {a, dir.file(u"missing.txt"), u"", none, dir.file(u"folder"), u" " + b, b};
    host.folder = dir.path();
    host.results = {u"left from before"};

    EXPECT_EQ(run().first, 0);

    EXPECT_EQ(host.events,
              (Texts{u"cleared", u"result: " + dir.file(u"a.maz"),
                     u"message: Cannot find " + dir.file(u"missing.txt"), u"message: Cannot find ",
                     u"message: " + marker_message, u"message: Cannot find " + dir.file(u"folder"),
                     u"message: Cannot find  " + b, u"result: " + dir.file(u"b.maz")}));
    EXPECT_EQ(test::read_bytes(dir.file(u"a.maz")), good_output);
    EXPECT_FALSE(test::path_exists(dir.file(u"none.maz")));
}

TEST_F(BatchTest, empty_list_only_clears_the_results) {
    host.results = {u"old"};
    EXPECT_EQ(run().first, 0);
    EXPECT_EQ(host.events, Texts{u"cleared"});
    EXPECT_TRUE(host.results.empty());
}

TEST_F(BatchTest, same_file_twice_is_converted_and_listed_twice) {
    const auto a = input(u"a.txt", good);
    host.files = {a, a};
    host.folder = dir.path();
    EXPECT_EQ(run().first, 0);
    EXPECT_EQ(host.results, (Texts{dir.file(u"a.maz"), dir.file(u"a.maz")}));
}

TEST_F(BatchTest, output_that_is_its_own_input_stops_with_a_sharing_violation) {
    const auto a = input(u"a.txt", good);
    const auto own = input(u"own.maz", good);
    const auto c = input(u"c.txt", good);
    host.files = {a, own, c};
    host.folder = dir.path();

    EXPECT_EQ(run(), std::make_pair(32, std::u16string(u"I/O error 32")));

    EXPECT_EQ(host.results, Texts{dir.file(u"a.maz")});
    EXPECT_EQ(test::read_bytes(own), good) << "the input must be left as it was";
    EXPECT_EQ(test::read_bytes(dir.file(u"a.maz")), good_output);
    EXPECT_FALSE(test::path_exists(dir.file(u"c.maz"))) << "the batch must stop";
}

TEST_F(BatchTest, missing_output_folder_is_invalid_filename) {
    host.files = {input(u"a.txt", good), input(u"b.txt", good)};
    host.folder = dir.file(u"no-such-folder");
    EXPECT_EQ(run(), std::make_pair(3, std::u16string(u"Invalid filename")));
    EXPECT_TRUE(host.results.empty());
}

// The folder exists and the file could be made where names are not limited: only the length
// check refuses it.
TEST_F(BatchTest, output_name_over_259_units_is_invalid_filename) {
    host.files = {input(std::u16string(60, u'g') + u".txt", good)};
    const std::u16string folder = dir.file(std::u16string(200, u'f'));
    test::make_folder(folder);
    host.folder = folder;
    ASSERT_GT(PathStyle::native().with_trailing_delimiter(folder).size() + 60 + 4, 259u);
    EXPECT_EQ(run(), std::make_pair(3, std::u16string(u"Invalid filename")));
}

// An immutable folder, and a file system mounted read-only (EROFS on POSIX).
TEST_F(BatchTest, unwritable_output_folder_is_access_denied) {
    for (const std::u16string_view name : {u"readonly", u"read-only-mount"}) {
        const auto unwritable = test::prepared_folder(name);
        if (!unwritable) {
            GTEST_SKIP() << to_utf8(name) << " could not be prepared here (see fixtures.sh)";
        }
        host.files = {input(u"a.txt", good)};
        host.folder = *unwritable;
        EXPECT_EQ(run(), std::make_pair(5, std::u16string(u"File access denied"))) << to_utf8(name);
        EXPECT_FALSE(
            test::path_exists(PathStyle::native().with_trailing_delimiter(*unwritable) + u"a.maz"));
    }
}

TEST_F(BatchTest, full_disk_keeps_the_old_output_byte_for_byte_and_leaves_nothing_else) {
    const auto tiny = test::prepared_folder(u"tiny");
    if (!tiny) {
        GTEST_SKIP() << "no tiny file system can be mounted here";
    }
    std::string big = marker + "\n";
    while (big.size() < 100 * 1024) {
        big += "G01 X10 Y20 Z_30 F100\n";
    }
    // A folder of this test's own on the small disk, which other tests may use too.
    const std::u16string folder = PathStyle::native().with_trailing_delimiter(*tiny) + u"batch";
    std::filesystem::remove_all(std::filesystem::path(folder));
    test::make_folder(folder);
    const auto in_tiny = [&](std::u16string_view name) {
        return PathStyle::native().with_trailing_delimiter(folder) + std::u16string(name);
    };
    const std::string old_output(8 * 1024, '\x5A');
    host.files = {input(u"small.txt", good), input(u"big.txt", big), input(u"after.txt", good)};
    host.folder = folder;
    for (WriteMode mode : {WriteMode::byte_per_write, WriteMode::buffered}) {
        test::write_bytes(in_tiny(u"big.maz"), old_output);
        options.write_mode = mode;
        EXPECT_EQ(run(), std::make_pair(101, std::u16string(u"Disk full")));
        EXPECT_EQ(host.results, Texts{in_tiny(u"small.maz")});
        EXPECT_EQ(test::read_bytes(in_tiny(u"small.maz")), good_output);
        EXPECT_TRUE(test::read_bytes(in_tiny(u"big.maz")) == old_output)
            << "the old output was not kept as it was";
        EXPECT_EQ(test::names_in(folder), (Texts{u"big.maz", u"small.maz"}))
            << "the batch must stop, and the new file must go";
    }
    std::filesystem::remove_all(std::filesystem::path(folder));
}

// A device, a pipe: never read (a read could wait for ever), reported as the window reports a
// missing file, but told apart for the command line.
TEST_F(BatchTest, a_line_that_is_no_disk_file_is_not_found_and_never_read) {
#ifdef _WIN32
    // Names Windows takes for devices in any folder, whatever follows the dot.
    const Texts odd = {dir.file(u"AUX.txt"), dir.file(u"com1.x.txt"), dir.file(u"Nul")};
#else
    const std::u16string fifo = dir.file(u"fifo.txt");
    ASSERT_EQ(::mkfifo(to_utf8(fifo).c_str(), 0600), 0);
    const Texts odd = {fifo, u"/dev/null"};
#endif
    host.files = odd;
    host.files.push_back(input(u"b.txt", good));
    host.folder = dir.path();
    EXPECT_EQ(run().first, 0);
    Texts expected;
    for (const std::u16string& line : odd) {
        expected.push_back(u"Cannot find " + line);
    }
    EXPECT_EQ(host.messages, expected);
    EXPECT_EQ(host.message_kinds,
              std::vector<MessageKind>(odd.size(), MessageKind::not_a_disk_file));
    EXPECT_EQ(host.results, Texts{dir.file(u"b.maz")});
}

// An extension may hold blanks and a leading dot, but nothing that leads out of the folder, into
// a stream of another file or into a name no file may have.
TEST_F(BatchTest, an_extension_with_a_delimiter_or_a_control_character_is_invalid_filename) {
    const auto a = input(u"a.txt", good);
    const auto sub = dir.file(u"sub");
    test::make_folder(sub);
    host.files = {a};
    host.folder = sub;
    for (const std::u16string extension :
         {u"maz\\..\\..\\x", u"maz/../../x", u"maz:s", u"m\taz", u"maz\x7F", u"\x01"}) {
        host.ext = extension;
        EXPECT_EQ(run(), std::make_pair(3, std::u16string(u"Invalid filename")))
            << to_utf8(extension);
    }
    EXPECT_EQ(test::names_in(dir.path()), (Texts{u"a.txt", u"sub"}));
    EXPECT_EQ(test::names_in(sub), Texts{});
    for (const std::u16string extension : {u" maz ", u".nc", u"m a z"}) {
        host.ext = extension;
        EXPECT_EQ(run().first, 0) << to_utf8(extension);
        EXPECT_EQ(
            test::read_bytes(PathStyle::native().with_trailing_delimiter(sub) + u"a." + extension),
            good_output);
    }
}

} // namespace
} // namespace t2k
