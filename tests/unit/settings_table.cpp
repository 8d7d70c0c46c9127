// The settings-file table: bytes before, what is saved, bytes after and what is read back.
#include "tests/unit/settings_table.h"

#include "platform/code_page.h"
#include "platform/text.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/settings_unwritable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace t2k::test {
namespace {

using testing::ElementsAre;

// Passes every call on and notes the writes and the release, in order.
class RecordingFile final : public SettingsFile {
public:
    RecordingFile(std::unique_ptr<SettingsFile> inner, std::vector<std::string>& log)
        : inner_(std::move(inner)), log_(log) {}
    ~RecordingFile() override { log_.push_back("release"); }

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) override {
        return inner_->read(section, key, fallback);
    }
    void write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override {
        log_.push_back("write " + to_utf8(key));
        inner_->write(section, key, value);
    }

private:
    std::unique_ptr<SettingsFile> inner_;
    std::vector<std::string>& log_;
};

std::string bytes_now(const std::u16string& path) {
    return path_exists(path) ? read_bytes(path) : no_file;
}

// A file in UTF-16LE with its byte-order mark, as the profile services write one.
std::string utf16_file(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit % 256));
        bytes.push_back(static_cast<char>(unit / 256));
    }
    return bytes;
}

// The same in UTF-16BE, the profile services' other Unicode encoding.
std::string utf16be_file(std::u16string_view text) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit / 256));
        bytes.push_back(static_cast<char>(unit % 256));
    }
    return bytes;
}

const std::string utf8_mark = "\xEF\xBB\xBF";

const std::string example_file = "[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=maz\r\n";

std::vector<SettingsCase> make_cases() {
    const std::string a3000(3000, 'a');
    const std::u16string a2047(2047, u'a');
    const std::u16string b2046(2046, u'b');
    const std::u16string c3000(3000, u'c');
    std::vector<SettingsCase> rows;
    const auto row = [&rows](SettingsCase c) {
        rows.push_back(std::move(c));
    };

    // Reading.
    row({.name = "no_file_gives_the_defaults_and_stays_missing",
         .loaded = {default_folder, u"maz"}});
    row({.name = "the_example_file", .before = example_file, .loaded = {u"D:\\out\\", u"maz"}});
    row({.name = "names_match_in_any_case",
         .before = "[tovaro]\r\nsavepath=C:\\a\\\r\nSAVEEXTENSION=txt\r\n",
         .loaded = {u"C:\\a\\", u"txt"}});
    row({.name = "blanks_around_names_and_values_and_one_pair_of_quotes_go",
         .before = "  [TOVARO]  \r\n \tSavePath \t=  \"  C:\\padded\\  \"  \r\n"
                   "SaveExtension= 'k v' \r\n",
         .loaded = {u"  C:\\padded\\  ", u"k v"}});
    // 0x1A, the old end-of-file mark, counts as a blank.
    row({.name = "an_end_of_file_mark_around_a_value_is_a_blank",
         .before = "[TOVARO]\r\nSavePath=C:\\a\\\x1A\r\nSaveExtension=\x1A\x1Atxt\r\n\x1A",
         .loaded = {u"C:\\a\\", u"txt"}});
    row({.name = "quotes_that_do_not_match_stay",
         .before = "[TOVARO]\r\nSavePath=\"C:\\x'\r\nSaveExtension=\"\r\n",
         .loaded = {u"\"C:\\x'", u"\""}});
    row({.name = "empty_values_read_as_empty_not_as_the_defaults",
         .before = "[TOVARO]\r\nSavePath=\r\nSaveExtension=\r\n",
         .loaded = {u"", u""}});
    row({.name = "keys_outside_the_section_and_lines_without_equals_are_not_read",
         .before = "SavePath=top\r\n[OTHER]\r\nSavePath=other\r\nSaveExtension=o\r\n"
                   "[TOVARO]\r\nSaveExtensionX=no\r\nSavePath\r\n[Later]\r\nSavePath=later\r\n"
                   "SaveExtension=later\r\n",
         .loaded = {default_folder, u"maz"}});
    row({.name = "lf_lines_comments_and_no_final_line_end",
         .before = "; settings\n[First]\na=1\n\n[TOVARO]\n; the folder\nSavePath=C:\\lf\\\n"
                   "SaveExtension=lf",
         .loaded = {u"C:\\lf\\", u"lf"},
         .other_keys = {{u"First", u"a", u"1"}}});
    row({.name = "a_long_value_is_cut_to_2047_characters",
         .before = "[TOVARO]\r\nSavePath=" + a3000 + "\r\n",
         .loaded = {a2047, u"maz"}});
    // The closing quote fits the 2048-character buffer only just: the read drops the last
    // character it copied, which is the value's own.
    row({.name = "a_quoted_value_of_2047_characters_loses_its_last",
         .before = "[TOVARO]\r\nSavePath=\"" + std::string(2047, 'b') + "\"\r\n",
         .loaded = {b2046, u"maz"}});
    row({.name = "bytes_are_decoded_in_the_ansi_code_page",
         .before = "[TOVARO]\r\nSavePath=C:\\caf\xE9\\\r\n",
         .loaded = {u"C:\\caf\u00E9\\", u"maz"},
         .code_page = 1252});

    // Writing.
    row({.name = "saving_creates_the_example_file",
         .save = SavedSettings{u"D:\\out\\", u"maz"},
         .after = example_file,
         .loaded = {u"D:\\out\\", u"maz"}});
    row({.name = "saving_replaces_the_lines_and_keeps_the_rest",
         .before = "; note\r\n[First]\r\na=1\r\n[TOVARO]\r\nSavePath=old\r\nOther=keep\r\n"
                   "[Last]\r\nb=2\r\nSaveExtension=last\r\n",
         .save = SavedSettings{u"C:\\new\\", u"ext"},
         .after = "; note\r\n[First]\r\na=1\r\n[TOVARO]\r\nSavePath=C:\\new\\\r\nOther=keep\r\n"
                  "SaveExtension=ext\r\n[Last]\r\nb=2\r\nSaveExtension=last\r\n",
         .loaded = {u"C:\\new\\", u"ext"},
         .other_keys = {{u"First", u"a", u"1"},
                        {u"TOVARO", u"Other", u"keep"},
                        {u"Last", u"b", u"2"},
                        {u"Last", u"SaveExtension", u"last"}}});
    row({.name = "saving_adds_the_section_at_the_end",
         .before = "[Other]\r\nk=v\r\n",
         .save = SavedSettings{u"C:\\n\\", u"maz"},
         .after = "[Other]\r\nk=v\r\n[TOVARO]\r\nSavePath=C:\\n\\\r\nSaveExtension=maz\r\n",
         .loaded = {u"C:\\n\\", u"maz"}});
    row({.name = "saving_keeps_the_spelling_of_names_in_the_file",
         .before = "[tovaro]\r\nsavepath=old\r\nsaveextension=old\r\n",
         .save = SavedSettings{u"C:\\new\\", u"txt"},
         .after = "[tovaro]\r\nsavepath=C:\\new\\\r\nsaveextension=txt\r\n",
         .loaded = {u"C:\\new\\", u"txt"}});
    row({.name = "saving_ends_a_last_line_that_had_no_line_end",
         .before = "[TOVARO]\r\nSavePath=old",
         .save = SavedSettings{u"C:\\new\\", u"ext"},
         .after = "[TOVARO]\r\nSavePath=C:\\new\\\r\nSaveExtension=ext\r\n",
         .loaded = {u"C:\\new\\", u"ext"}});
    // Not in normal form, so only what reads back is compared.
    row({.name = "saving_into_an_untidy_file_keeps_what_other_keys_read",
         .before = "[First] \n  a = 1  \n\n[TOVARO]\nSavePath = old\n\n[Last]\nb=\"2\"\n",
         .save = SavedSettings{u"C:\\new\\", u"ext"},
         .loaded = {u"C:\\new\\", u"ext"},
         .other_keys = {{u"First", u"a", u"1"}, {u"Last", u"b", u"2"}}});
    row({.name = "an_empty_folder_is_saved_and_read_back_empty",
         .save = SavedSettings{u"", u"maz"},
         .after = "[TOVARO]\r\nSavePath=\r\nSaveExtension=maz\r\n",
         .loaded = {u"", u"maz"}});
    row({.name = "an_empty_extension_keeps_its_key",
         .before = example_file,
         .save = SavedSettings{u"D:\\out\\", u""},
         .after = "[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=\r\n",
         .loaded = {u"D:\\out\\", u""}});
    row({.name = "a_long_value_is_saved_whole_and_read_cut",
         .save = SavedSettings{c3000, u"maz"},
         .after = "[TOVARO]\r\nSavePath=" + std::string(3000, 'c') + "\r\nSaveExtension=maz\r\n",
         .loaded = {std::u16string(2047, u'c'), u"maz"}});
    row({.name = "blanks_around_a_saved_value_do_not_read_back",
         .save = SavedSettings{u"  C:\\p\\  ", u" e "},
         .loaded = {u"C:\\p\\", u"e"}});
    row({.name = "saving_encodes_in_the_ansi_code_page",
         .save = SavedSettings{u"C:\\caf\u00E9\\", u"maz"},
         .after = "[TOVARO]\r\nSavePath=C:\\caf\xE9\\\r\nSaveExtension=maz\r\n",
         .loaded = {u"C:\\caf\u00E9\\", u"maz"},
         .code_page = 1252});

    // Text the ANSI code page cannot hold: the file becomes UTF-16LE first, so nothing is lost.
    row({.name = "a_folder_outside_the_code_page_makes_the_file_utf16_and_reads_back",
         .save = SavedSettings{u"D:\\\u65E5\u672C\\out\\", u"maz"},
         .after = utf16_file(u"[TOVARO]\r\nSavePath=D:\\\u65E5\u672C\\out\\\r\n"
                             u"SaveExtension=maz\r\n"),
         .loaded = {u"D:\\\u65E5\u672C\\out\\", u"maz"},
         .code_page = 1252});
    row({.name = "a_file_with_other_sections_becomes_utf16_without_loss",
         .before = "; settings\r\n[First]\r\na=caf\xE9\r\n[TOVARO]\r\nSavePath=old\r\n"
                   "Other=keep\r\n[Last]\r\nb=2\r\n",
         .save = SavedSettings{u"C:\\\u65E5\u672C\\", u"ext"},
         .after = utf16_file(u"; settings\r\n[First]\r\na=caf\u00E9\r\n[TOVARO]\r\n"
                             u"SavePath=C:\\\u65E5\u672C\\\r\nOther=keep\r\nSaveExtension=ext\r\n"
                             u"[Last]\r\nb=2\r\n"),
         .loaded = {u"C:\\\u65E5\u672C\\", u"ext"},
         .other_keys = {{u"First", u"a", u"caf\u00E9"},
                        {u"TOVARO", u"Other", u"keep"},
                        {u"Last", u"b", u"2"}},
         .code_page = 1252});
    // A look-alike ('A' for U+0100) would be a different folder: the file becomes UTF-16 too,
    // here only when the second key is written.
    row({.name = "a_character_with_only_a_look_alike_in_the_code_page_makes_the_file_utf16",
         .save = SavedSettings{u"D:\\out\\", u"\u0100"},
         .after = utf16_file(u"[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=\u0100\r\n"),
         .loaded = {u"D:\\out\\", u"\u0100"},
         .code_page = 1252});
    row({.name = "a_utf16_file_stays_utf16_when_the_values_fit",
         .before = utf16_file(u"[Other]\r\nk=\u65E5\u672C\r\n[TOVARO]\r\nSavePath=old\r\n"),
         .save = SavedSettings{u"D:\\out\\", u"maz"},
         .after = utf16_file(u"[Other]\r\nk=\u65E5\u672C\r\n[TOVARO]\r\nSavePath=D:\\out\\\r\n"
                             u"SaveExtension=maz\r\n"),
         .loaded = {u"D:\\out\\", u"maz"},
         .other_keys = {{u"Other", u"k", u"\u65E5\u672C"}}});

    // The second save outside the code page: the file is UTF-16 already and is only edited.
    row({.name = "a_utf16_file_saved_again_outside_the_code_page_is_edited_not_converted",
         .before = utf16_file(u"[Other]\r\nk=v\r\n[TOVARO]\r\nSavePath=D:\\\u65E5\u672C\\\r\n"
                              u"SaveExtension=maz\r\n"),
         .save = SavedSettings{u"D:\\\u65E5\u672C\\new\\", u"maz"},
         .after = utf16_file(u"[Other]\r\nk=v\r\n[TOVARO]\r\nSavePath=D:\\\u65E5\u672C\\new\\\r\n"
                             u"SaveExtension=maz\r\n"),
         .loaded = {u"D:\\\u65E5\u672C\\new\\", u"maz"},
         .other_keys = {{u"Other", u"k", u"v"}},
         .code_page = 1252});

    // Files in the other encodings the profile services tell by their first bytes. Other lines
    // hold "Gr\u00FC\u00DFe", which ANSI bytes would garble.
    const std::string gruesse = "Gr\xC3\xBC\xC3\x9F"
                                "e";
    const std::string utf8_before = "; settings\r\n[First]\r\na=" + gruesse +
                                    "\r\n[TOVARO]\r\nSavePath=old\r\n[Last]\r\nb=2\r\n";
    const std::string utf8_after = "; settings\r\n[First]\r\na=" + gruesse +
                                   "\r\n[TOVARO]\r\nSavePath=D:\\\xE6\x97\xA5\xE6\x9C\xAC\\\r\n"
                                   "SaveExtension=maz\r\n[Last]\r\nb=2\r\n";
    const std::vector<OtherKey> other_keys = {{u"First", u"a", u"Gr\u00FC\u00DFe"},
                                              {u"Last", u"b", u"2"}};
    const SavedSettings far_folder{u"D:\\\u65E5\u672C\\", u"maz"};
    row({.name = "a_utf8_file_with_a_mark_stays_utf8_and_takes_a_folder_outside_the_code_page",
         .before = utf8_mark + utf8_before,
         .save = far_folder,
         .after = utf8_mark + utf8_after,
         .loaded = far_folder,
         .other_keys = other_keys});
    // The services take a UTF-8 file without a mark for ANSI; with the mark they keep it UTF-8.
    row({.name = "a_utf8_file_without_a_mark_gets_one_before_a_folder_outside_the_code_page",
         .before = utf8_before,
         .save = far_folder,
         .after = utf8_mark + utf8_after,
         .loaded = far_folder,
         .other_keys = other_keys});
    // "\u00E9" fits the code page, but in ANSI bytes it would leave a file that is UTF-8 no more.
    row({.name = "a_utf8_file_without_a_mark_gets_one_before_any_text_beyond_ascii",
         .before = utf8_before,
         .save = SavedSettings{u"C:\\caf\u00E9\\", u"maz"},
         .after = utf8_mark + "; settings\r\n[First]\r\na=" + gruesse +
                  "\r\n[TOVARO]\r\nSavePath=C:\\caf\xC3\xA9\\\r\nSaveExtension=maz\r\n"
                  "[Last]\r\nb=2\r\n",
         .loaded = {u"C:\\caf\u00E9\\", u"maz"},
         .other_keys = other_keys});
    row({.name = "ascii_values_leave_a_utf8_file_without_a_mark_as_it_is",
         .before = utf8_before,
         .save = SavedSettings{u"D:\\out\\", u"maz"},
         .after = "; settings\r\n[First]\r\na=" + gruesse +
                  "\r\n[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=maz\r\n[Last]\r\nb=2\r\n",
         .loaded = {u"D:\\out\\", u"maz"}});
    row({.name = "a_utf16be_file_stays_utf16be_and_takes_a_folder_outside_the_code_page",
         .before = utf16be_file(u"; settings\r\n[First]\r\na=Gr\u00FC\u00DFe\r\n[TOVARO]\r\n"
                                u"SavePath=old\r\n[Last]\r\nb=2\r\n"),
         .save = far_folder,
         .after = utf16be_file(u"; settings\r\n[First]\r\na=Gr\u00FC\u00DFe\r\n[TOVARO]\r\n"
                               u"SavePath=D:\\\u65E5\u672C\\\r\nSaveExtension=maz\r\n"
                               u"[Last]\r\nb=2\r\n"),
         .loaded = far_folder,
         .other_keys = other_keys});
    // 0x81 0x0D is no character of code page 932: in UTF-16 the byte would be lost for good.
    row({.name = "an_ansi_file_with_bytes_the_code_page_cannot_carry_refuses_to_become_utf16",
         .before = "[First]\r\na=\x81\r\n[TOVARO]\r\nSavePath=old\r\n",
         .save = SavedSettings{u"D:\\\uD55C\\", u"maz"},
         .refused = true,
         .after = "[First]\r\na=\x81\r\n[TOVARO]\r\nSavePath=old\r\n",
         .loaded = {u"old", u"maz"},
         .code_page = 932});

    // Refused writes.
    row({.name = "an_unwritable_file_refuses_and_save_extension_is_not_written",
         .before = example_file,
         .save = SavedSettings{u"C:\\new\\", u"txt"},
         .locked = Locked::file,
         .refused = true,
         .after = example_file,
         .loaded = {u"D:\\out\\", u"maz"}});
    row({.name = "an_unwritable_folder_refuses_and_no_file_appears",
         .save = SavedSettings{u"C:\\new\\", u"txt"},
         .locked = Locked::folder,
         .refused = true,
         .after = no_file,
         .loaded = {default_folder, u"maz"}});
    row({.name = "an_unwritable_file_refuses_a_folder_outside_the_code_page_and_stays_ansi",
         .before = example_file,
         .save = SavedSettings{u"D:\\\u65E5\u672C\\", u"maz"},
         .locked = Locked::file,
         .refused = true,
         .after = example_file,
         .loaded = {u"D:\\out\\", u"maz"},
         .code_page = 1252});
    row({.name = "an_unwritable_file_refuses_even_the_values_it_holds",
         .before = example_file,
         .save = SavedSettings{u"D:\\out\\", u"maz"},
         .locked = Locked::file,
         .refused = true,
         .after = example_file,
         .loaded = {u"D:\\out\\", u"maz"}});
    return rows;
}

void save_and_check(const SettingsCase& row, OpenSettingsFile open, const std::u16string& path) {
    std::vector<std::string> log;
    auto file = std::make_unique<RecordingFile>(open(path), log);
    if (!row.refused) {
        EXPECT_NO_THROW(write_saved_settings(std::move(file), *row.save));
        EXPECT_THAT(log, ElementsAre("write SavePath", "write SaveExtension", "release"));
        return;
    }
    try {
        write_saved_settings(std::move(file), *row.save);
        ADD_FAILURE() << "the save was not refused";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(error.text(), u"Unable to write to " + path);
    }
    EXPECT_THAT(log, ElementsAre("write SavePath", "release"));
}

} // namespace

const std::vector<SettingsCase>& settings_cases() {
    static const std::vector<SettingsCase> rows = make_cases();
    return rows;
}

void run_settings_case(const SettingsCase& row, OpenSettingsFile open) {
    if (row.code_page != 0 && CodePage::system().number() != row.code_page) {
        GTEST_SKIP() << "needs the ANSI code page " << row.code_page << ", this one is "
                     << CodePage::system().number();
    }
    TempDir folder;
    const std::u16string path = settings_file_path(folder.path());
    if (row.before != no_file) {
        write_bytes(path, row.before);
    }
    if (row.save) {
        std::optional<Unwritable> unwritable;
        if (row.locked != Locked::nothing) {
            unwritable.emplace(row.locked == Locked::file ? path : folder.path());
            if (!unwritable->failure().empty()) {
                GTEST_SKIP() << unwritable->failure();
            }
        }
        save_and_check(row, open, path);
    }
    if (row.after) {
        EXPECT_EQ(bytes_now(path), *row.after);
    }
    const SavedSettings loaded = read_saved_settings(open(path), default_folder);
    EXPECT_EQ(loaded.save_path, row.loaded.save_path);
    EXPECT_EQ(loaded.save_extension, row.loaded.save_extension);
    for (const OtherKey& other : row.other_keys) {
        EXPECT_EQ(open(path)->read(other.section, other.key, u"(missing)"), other.value)
            << to_utf8(other.section) << "/" << to_utf8(other.key);
    }
    if (!row.save) {
        EXPECT_EQ(bytes_now(path), row.before) << "reading changed the file";
    }
}

} // namespace t2k::test
