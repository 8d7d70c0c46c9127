// The file services' outputs and names: a new file takes its name only when committed, what the
// old one keeps, file identities, what a name in a list is, the device names of Windows. Natively
// (the POSIX services) and under Wine (the Win32 services).
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/io_error.h"
#include "platform/path_style.h"
#include "platform/text.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/settings_unwritable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace t2k {
namespace {

using Texts = std::vector<std::u16string>;
using test::names_in;
using test::read_bytes;
using test::TempDir;
using test::write_bytes;

void write_text(OutputFile& file, std::string_view text) {
    file.write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The error's code, or 0 when none was raised.
template <typename Action> int failure_code(Action action) {
    try {
        action();
    } catch (const IoError& error) {
        return error.code();
    }
    return 0;
}

TEST(OutputFileTest, takes_the_name_only_when_committed_and_leaves_nothing_else) {
    TempDir dir;
    const std::u16string name = dir.file(u"out.maz");
    write_bytes(name, "old");
    {
        OutputFile file(name);
        write_text(file, "new");
        const Texts entries = names_in(dir.path());
        ASSERT_EQ(entries.size(), 2u) << "the new bytes go to a file beside the output";
        const std::u16string& temporary = entries[1] == u"out.maz" ? entries[0] : entries[1];
        EXPECT_EQ(temporary.substr(0, 4), u"~t2k");
        EXPECT_EQ(temporary.substr(temporary.size() - 4), u".tmp");
        EXPECT_EQ(read_bytes(name), "old");
    } // gone without commit: a failure half-way
    EXPECT_EQ(read_bytes(name), "old");
    EXPECT_EQ(names_in(dir.path()), Texts{u"out.maz"});

    OutputFile file(name);
    write_text(file, "new");
    file.commit();
    EXPECT_EQ(read_bytes(name), "new");
    EXPECT_EQ(names_in(dir.path()), Texts{u"out.maz"});
}

TEST(OutputFileTest, an_output_that_may_not_be_written_is_refused_before_anything_is_made) {
    TempDir dir;
    const std::u16string name = dir.file(u"kept.maz");
    write_bytes(name, "old");
    {
        const test::Unwritable unwritable(name);
        ASSERT_EQ(unwritable.failure(), "");
        EXPECT_EQ(failure_code([&] { probe_output_file(name); }), io_code::access_denied);
        EXPECT_EQ(failure_code([&] { OutputFile file(name); }), io_code::access_denied);
        EXPECT_EQ(names_in(dir.path()), Texts{u"kept.maz"});
    }
    EXPECT_EQ(read_bytes(name), "old");
}

TEST(FileIdentityTest, is_one_for_every_name_of_a_file_and_none_for_nothing) {
    TempDir dir;
    const std::u16string a = dir.file(u"a.txt");
    write_bytes(a, "a");
    write_bytes(dir.file(u"b.txt"), "a");
    std::filesystem::create_hard_link(std::filesystem::path(a),
                                      std::filesystem::path(dir.file(u"hard.txt")));
    const auto identity = file_identity(a, Links::not_followed);
    ASSERT_TRUE(identity);
    EXPECT_EQ(file_identity(dir.file(u"hard.txt"), Links::not_followed), identity);
    EXPECT_NE(file_identity(dir.file(u"b.txt"), Links::not_followed), identity);
    EXPECT_EQ(file_identity(dir.file(u"none.txt"), Links::followed), std::nullopt);
    InputFile open(dir.file(u"hard.txt"));
    EXPECT_EQ(open.identity(), identity);
#ifndef _WIN32
    std::filesystem::create_symlink(std::filesystem::path(a),
                                    std::filesystem::path(dir.file(u"link.txt")));
    EXPECT_EQ(file_identity(dir.file(u"link.txt"), Links::followed), identity);
    EXPECT_NE(file_identity(dir.file(u"link.txt"), Links::not_followed), identity);
    EXPECT_TRUE(is_symbolic_link(dir.file(u"link.txt")));
    EXPECT_FALSE(is_symbolic_link(a));
#endif
}

TEST(FileNamesTest, device_names_of_windows) {
    for (const std::u16string_view name :
         {u"CON", u"prn", u"Aux", u"nUl", u"COM0", u"com9", u"LPT1", u"lpt9", u"COM\u00B9",
          u"LPT\u00B3", u"NUL.txt", u"nul.tar.gz", u"con .maz", u"AUX  ", u"COM1.", u"NUL."}) {
        EXPECT_TRUE(is_device_name(name)) << to_utf8(name);
    }
    for (const std::u16string_view name :
         {u"", u"CONX", u"XCON", u"CO", u"NULL.txt", u"COM", u"COM10", u"LPT", u"COMA",
          u"COM\u00B4", u" NUL", u"_NUL.txt", u"a.NUL", u"CON\u00A0.txt", u"CONIN"}) {
        EXPECT_FALSE(is_device_name(name)) << to_utf8(name);
    }
}

#ifdef _WIN32
// Under Wine a device's name in a folder is the device: an output there would vanish or reach a
// port, so it is an invalid name, and nothing is made for it.
TEST(OutputFileTest, a_device_name_is_invalid_filename_and_nothing_is_made) {
    TempDir dir;
    for (const std::u16string_view stem : {u"NUL", u"con", u"Com1", u"LPT9", u"aux ", u"prn.x"}) {
        const std::u16string name = dir.file(std::u16string(stem) + u".maz");
        EXPECT_EQ(failure_code([&] { probe_output_file(name); }), io_code::invalid_filename)
            << to_utf8(name);
        EXPECT_EQ(failure_code([&] {
                      OutputFile file(name);
                      write_text(file, "x");
                      file.commit();
                  }),
                  io_code::invalid_filename)
            << to_utf8(name);
        EXPECT_EQ(file_identity(name, Links::followed), std::nullopt);
    }
    EXPECT_EQ(names_in(dir.path()), Texts{});
}
#endif

} // namespace
} // namespace t2k
