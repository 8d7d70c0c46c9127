// The main window as start-up creates it: settings at create and close, the translate command with
// its messages and error box, the window menu, logging off.
#include "main_window_support.h"
#include "tests/support/message_box_recorder.h"

#include "platform/text.h"
#include "product_identity.h"
#include "settings/exe_folder.h"
#include "toolkit/win32/app_title.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace t2k {
namespace {

using test::MessageBoxRecorder;
using test::StartedProgram;
using test::TempDir;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string tovaro_file = "header line\r\n\xABp2\r\nA_1\r\nB\r\n";
const std::string korvane_bytes = "\x02"
                                  "A\x03"
                                  "1\x04\x02"
                                  "B\x04";

std::u16string settings_file() {
    return exe_folder() + u"tovaro.ini";
}

std::filesystem::path settings_path() {
    const std::u16string file = settings_file();
    return std::wstring(file.begin(), file.end());
}

void remove_settings() {
    std::error_code ignored;
    std::filesystem::remove_all(settings_path(), ignored);
}

std::u16string profile_value(const char16_t* key) {
    wchar_t value[2048] = {};
    GetPrivateProfileStringW(L"TOVARO", reinterpret_cast<const wchar_t*>(key), L"<missing>", value,
                             2048, reinterpret_cast<const wchar_t*>(settings_file().c_str()));
    return std::u16string(reinterpret_cast<const char16_t*>(value));
}

class MainWindow : public ::testing::Test {
protected:
    MainWindow() { remove_settings(); }
    ~MainWindow() override { remove_settings(); }

    void translate(const std::u16string& file_list) {
        MainForm->FileMemo.set_text(file_list);
        MainForm->Edit2.set_text(out_folder());
        SendMessageW(MainForm->Button1.handle(), BM_CLICK, 0, 0);
    }
    std::u16string out_folder() const { return out.path(); }

    TempDir in, out;
};

TEST_F(MainWindow, starts_with_both_windows_the_defaults_the_caption_and_the_mutex) {
    StartedProgram program;
    ASSERT_NE(MainForm, nullptr);
    ASSERT_NE(AboutBox, nullptr);
    EXPECT_EQ(program.application.main_form(), MainForm);
    EXPECT_TRUE(IsWindowVisible(MainForm->handle()));
    EXPECT_FALSE(IsWindowVisible(AboutBox->handle()));
    EXPECT_EQ(MainForm->caption(),
              u"Tovaro to KORVANE version: " + std::u16string(identity::version));
    EXPECT_EQ(MainForm->Edit2.text(), exe_folder());
    EXPECT_EQ(MainForm->Edit2.text().back(), u'\\');
    EXPECT_EQ(MainForm->ExtensionEdit.text(), u"maz");
    EXPECT_THAT(MainForm->FileMemo.lines(), IsEmpty());
    EXPECT_THAT(MainForm->FinishedMemo.lines(), IsEmpty());
    EXPECT_EQ(GetFocus(), MainForm->Button1.handle());
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"BrontelMutex");
    EXPECT_NE(mutex, nullptr);
    CloseHandle(mutex);
}

TEST_F(MainWindow, loads_the_saved_folder_and_extension_and_saves_them_at_close) {
    const std::string saved = "[TOVARO]\r\nSavePath=D:\\out\\\r\nSaveExtension=nc\r\n";
    test::write_bytes(settings_file(), saved);
    StartedProgram program;
    EXPECT_EQ(MainForm->Edit2.text(), u"D:\\out\\");
    EXPECT_EQ(MainForm->ExtensionEdit.text(), u"nc");

    MainForm->Edit2.set_text(u"E:\\kor\\");
    MainForm->ExtensionEdit.set_text(u"");
    MainForm->close();
    EXPECT_TRUE(MainForm->has_quit());
    EXPECT_EQ(profile_value(u"SavePath"), u"E:\\kor\\");
    EXPECT_EQ(profile_value(u"SaveExtension"), u"");
}

TEST_F(MainWindow, a_settings_file_that_cannot_be_written_is_reported_and_the_window_still_closes) {
    std::filesystem::create_directory(settings_path());
    StartedProgram program;
    MessageBoxRecorder boxes;
    MainForm->close();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, u"Error");
    EXPECT_EQ(boxes.boxes()[0].text, u"Unable to write to " + settings_file() + u".");
    EXPECT_TRUE(boxes.boxes()[0].has_icon);
    EXPECT_TRUE(MainForm->has_quit());
}

TEST_F(MainWindow, translates_good_files_and_reports_missing_blank_and_markerless_lines) {
    test::write_bytes(in.file(u"first.rev2.txt"), tovaro_file);
    test::write_bytes(in.file(u"second"), tovaro_file);
    test::write_bytes(in.file(u"plain.txt"), "no marker here\r\n");
    StartedProgram program;
    MessageBoxRecorder boxes;
    MainForm->FinishedMemo.set_text(u"left from before\r\n");
    translate(in.file(u"first.rev2.txt") + u"\r\n" + in.file(u"missing.txt") + u"\r\n\r\n" +
              in.file(u"plain.txt") + u"\r\n" + in.file(u"second"));

    EXPECT_THAT(MainForm->FinishedMemo.lines(),
                ElementsAre(out.file(u"first.maz"), out.file(u"second.maz")));
    EXPECT_EQ(test::read_bytes(out.file(u"first.maz")), korvane_bytes);
    EXPECT_EQ(test::read_bytes(out.file(u"second.maz")), korvane_bytes);
    EXPECT_FALSE(test::path_exists(out.file(u"plain.maz")));
    EXPECT_THAT(boxes.texts(),
                ElementsAre(u"Cannot find " + in.file(u"missing.txt"), u"Cannot find ",
                            u"\"\u00abp2\" not found in Tovaro file"));
    for (const auto& box : boxes.boxes()) {
        EXPECT_EQ(box.caption, application_title());
        EXPECT_EQ(box.caption, u"main_window_test");
        EXPECT_FALSE(box.has_icon);
    }
}

TEST_F(MainWindow, an_input_output_failure_ends_the_batch_and_keeps_the_results_so_far) {
    test::write_bytes(in.file(u"a.tov"), tovaro_file);
    test::write_bytes(out.file(u"b.maz"), tovaro_file); // its output would be itself
    test::write_bytes(in.file(u"c.tov"), tovaro_file);
    StartedProgram program;
    MessageBoxRecorder boxes;
    translate(in.file(u"a.tov") + u"\r\n" + out.file(u"b.maz") + u"\r\n" + in.file(u"c.tov"));

    EXPECT_THAT(MainForm->FinishedMemo.lines(), ElementsAre(out.file(u"a.maz")));
    EXPECT_EQ(test::read_bytes(out.file(u"b.maz")), tovaro_file);
    EXPECT_FALSE(test::path_exists(out.file(u"c.maz")));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, u"Error");
    EXPECT_EQ(boxes.boxes()[0].text, u"I/O error 32.");
    EXPECT_TRUE(boxes.boxes()[0].has_icon);

    // The window stays usable: the next translation runs.
    boxes.clear();
    translate(in.file(u"c.tov"));
    EXPECT_THAT(MainForm->FinishedMemo.lines(), ElementsAre(out.file(u"c.maz")));
    EXPECT_THAT(boxes.texts(), IsEmpty());
}

// The window does not repaint during a batch, but the user sees the results box behind every
// message box and behind the error box: it must list each file written up to then, as a line of
// its own, and nothing left from an earlier run.
TEST_F(MainWindow, the_results_box_behind_each_box_lists_every_file_written_so_far) {
    for (const char16_t* name : {u"a.tov", u"b.tov", u"c.tov", u"d.tov", u"f.tov"}) {
        test::write_bytes(in.file(name), tovaro_file);
    }
    test::write_bytes(in.file(u"plain.txt"), "no marker here\r\n");
    test::write_bytes(out.file(u"e.maz"), tovaro_file); // its output would be itself
    StartedProgram program;
    MessageBoxRecorder boxes;
    boxes.watch(MainForm->FinishedMemo.handle());
    MainForm->FinishedMemo.set_text(u"left from before");
    translate(in.file(u"missing-1") + u"\r\n" + in.file(u"a.tov") + u"\r\n" +
              in.file(u"missing-2") + u"\r\n" + in.file(u"b.tov") + u"\r\n" + in.file(u"c.tov") +
              u"\r\n" + in.file(u"plain.txt") + u"\r\n" + in.file(u"d.tov") + u"\r\n" +
              out.file(u"e.maz") + u"\r\n" + in.file(u"f.tov"));

    const std::u16string a = out.file(u"a.maz") + u"\r\n";
    const std::u16string abc = a + out.file(u"b.maz") + u"\r\n" + out.file(u"c.maz") + u"\r\n";
    const std::u16string abcd = abc + out.file(u"d.maz") + u"\r\n";
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"Cannot find " + in.file(u"missing-1"), u""},
        {u"Cannot find " + in.file(u"missing-2"), a},
        {u"\"\u00abp2\" not found in Tovaro file", abc},
        {u"I/O error 32.", abcd},
    };
    ASSERT_EQ(boxes.boxes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(boxes.boxes()[i].text, expected[i].first);
        EXPECT_EQ(boxes.boxes()[i].watched_text, expected[i].second) << "behind " << i;
    }
    EXPECT_EQ(MainForm->FinishedMemo.text(), abcd);
}

// The window writes a byte at a time into a new file beside the output: when the disk fills up,
// the error box says so and the old output stays as it was, with nothing left beside it.
TEST_F(MainWindow, a_full_disk_keeps_the_old_output_as_it_was) {
    const auto tiny = test::prepared_folder(u"tiny");
    if (!tiny) {
        GTEST_SKIP() << "no tiny file system can be mounted here";
    }
    const std::u16string folder = *tiny + u"\\window";
    std::filesystem::remove_all(std::filesystem::path(folder));
    test::make_folder(folder);
    std::string big = "\xABp2\r\n";
    while (big.size() < 100 * 1024) {
        big += "G01 X10 Y20 Z_30 F100\r\n";
    }
    test::write_bytes(in.file(u"big.tov"), big);
    const std::string old_output(8 * 1024, 'Z');
    test::write_bytes(folder + u"\\big.maz", old_output);
    StartedProgram program;
    MessageBoxRecorder boxes;
    MainForm->FileMemo.set_text(in.file(u"big.tov"));
    MainForm->Edit2.set_text(folder);
    SendMessageW(MainForm->Button1.handle(), BM_CLICK, 0, 0);

    EXPECT_THAT(MainForm->FinishedMemo.lines(), IsEmpty());
    EXPECT_THAT(boxes.texts(), ElementsAre(u"Disk full."));
    EXPECT_TRUE(test::read_bytes(folder + u"\\big.maz") == old_output)
        << "the old output was not kept as it was";
    EXPECT_THAT(test::names_in(folder), ElementsAre(u"big.maz"));
    std::filesystem::remove_all(std::filesystem::path(folder));
}

// Pasted as a user pastes (EM_REPLACESEL keeps to the box's text limit), the list is far longer
// than an edit control takes by default; every name must be converted and listed. The inputs lie
// in folders of 100: Wine looks through a whole folder for each name it creates there, so one
// folder of 5,000 inputs would cost the test more than the batch itself.
TEST_F(MainWindow, a_pasted_list_of_5000_names_converts_whole) {
    constexpr int count = 5000;
    std::u16string pasted;
    std::vector<std::u16string> expected;
    for (int i = 0; i < count; ++i) {
        const std::u16string folder = in.file(ascii(std::to_string(i / 100)));
        if (i % 100 == 0) {
            test::make_folder(folder);
        }
        const std::u16string name = u"tovaro-file-number-" + ascii(std::to_string(i));
        const std::u16string input = folder + u"\\" + name + u".tov";
        test::write_bytes(input, tovaro_file);
        pasted += input + u"\r\n";
        expected.push_back(out.file(name + u".maz"));
    }
    ASSERT_GT(pasted.size(), 65536u);
    StartedProgram program;
    MessageBoxRecorder boxes;
    SendMessageW(MainForm->FileMemo.handle(), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(pasted.c_str()));
    // Sizes, not the texts: a failure should not print 300,000 characters.
    ASSERT_EQ(MainForm->FileMemo.text().size(), pasted.size()) << "the pasted list was cut";
    MainForm->Edit2.set_text(out_folder());
    SendMessageW(MainForm->Button1.handle(), BM_CLICK, 0, 0);

    EXPECT_THAT(boxes.texts(), IsEmpty());
    const std::vector<std::u16string> listed = MainForm->FinishedMemo.lines();
    EXPECT_EQ(listed.size(), expected.size());
    EXPECT_TRUE(listed == expected) << "the results differ from the outputs of the list";
    EXPECT_EQ(test::read_bytes(expected.front()), korvane_bytes);
    EXPECT_EQ(test::read_bytes(expected.back()), korvane_bytes);
}

// A folder saved at close that the ANSI code page cannot hold is the folder of the next start.
TEST_F(MainWindow, a_folder_outside_the_ansi_code_page_survives_a_restart) {
    const std::u16string folder = u"D:\\\u65E5\u672C\\out\\";
    {
        StartedProgram program;
        MainForm->Edit2.set_text(folder);
        MainForm->close();
        ASSERT_TRUE(MainForm->has_quit());
    }
    StartedProgram restarted;
    EXPECT_EQ(MainForm->Edit2.text(), folder);
    EXPECT_EQ(MainForm->ExtensionEdit.text(), u"maz");
}

TEST_F(MainWindow, reads_the_extension_field_for_each_file) {
    test::write_bytes(in.file(u"a.tov"), tovaro_file);
    StartedProgram program;
    MainForm->ExtensionEdit.set_text(u".nc");
    translate(in.file(u"a.tov"));
    EXPECT_THAT(MainForm->FinishedMemo.lines(), ElementsAre(out.file(u"a..nc")));
    EXPECT_EQ(test::read_bytes(out.file(u"a..nc")), korvane_bytes);
}

TEST_F(MainWindow, window_menu_ends_with_a_separator_and_about) {
    StartedProgram program;
    HMENU menu = GetSystemMenu(MainForm->handle(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 1025u);
    wchar_t text[64] = {};
    GetMenuStringW(menu, 1025, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"About...");
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &item);
    EXPECT_NE(item.fType & MFT_SEPARATOR, 0u);
}

TEST_F(MainWindow, logging_off_saves_the_settings_once) {
    StartedProgram program;
    MainForm->ExtensionEdit.set_text(u"kor");
    SendMessageW(MainForm->handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(profile_value(u"SaveExtension"), u"kor");
    remove_settings();
    SendMessageW(MainForm->handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(test::path_exists(settings_file()));
}

} // namespace
} // namespace t2k

namespace t2k {
namespace {

// A key pressed on the focused control, through the event loop as a user's key arrives.
void press_key(WPARAM key, bool shift = false) {
    if (shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
    }
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    process_pending_messages();
    if (shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
}

TEST_F(MainWindow, tab_and_shift_tab_follow_the_tab_order_and_enter_presses_the_focused_button) {
    StartedProgram program;
    ASSERT_EQ(GetFocus(), MainForm->Button1.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->Edit2.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->FinishedMemo.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->ExtensionEdit.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->FileMemo.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->FindFilesButton.handle());
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->Button1.handle());
    press_key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), MainForm->FindFilesButton.handle());
    press_key(VK_TAB, true);
    press_key(VK_TAB);
    EXPECT_EQ(GetFocus(), MainForm->FindFilesButton.handle());
    EXPECT_THAT(MainForm->FileMemo.lines(), IsEmpty()); // Tab moved on instead of typing

    press_key(VK_TAB); // back to Button1
    MainForm->FinishedMemo.set_text(u"from an earlier run");
    press_key(VK_RETURN);
    EXPECT_THAT(MainForm->FinishedMemo.lines(), IsEmpty()); // the translate command ran
}

// The main window has no cancel button, so Escape does nothing there, in a multi-line text box too
// (where the text box itself would close the window, and the program with it).
TEST_F(MainWindow, escape_leaves_the_main_window_open_whatever_has_the_focus) {
    StartedProgram program;
    for (const WindowedControl* control :
         {static_cast<const WindowedControl*>(&MainForm->Button1),
          static_cast<const WindowedControl*>(&MainForm->Edit2),
          static_cast<const WindowedControl*>(&MainForm->FileMemo),
          static_cast<const WindowedControl*>(&MainForm->FinishedMemo)}) {
        SCOPED_TRACE(std::string(control->name().begin(), control->name().end()));
        SetFocus(control->handle());
        press_key(VK_ESCAPE);
        EXPECT_FALSE(MainForm->has_quit());
        EXPECT_TRUE(IsWindowVisible(MainForm->handle()));
    }
}

} // namespace
} // namespace t2k
