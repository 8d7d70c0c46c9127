// The file and folder choosers of the main window, driven for real: a timer on the window's thread
// fills the chooser's name box and presses its buttons while the chooser runs.
#include "main_window_support.h"
#include "tests/support/message_box_recorder.h"

#include "ui/MainUnit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

namespace t2k {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int name_box_id = 0x480;

// Enumeration callbacks are CALLBACK functions: a lambda has the wrong calling convention in the
// 32-bit build.
BOOL CALLBACK find_shown_chooser(HWND window, LPARAM result) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK find_name_box(HWND child, LPARAM result) {
    if (GetDlgCtrlID(child) == name_box_id) {
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
    }
    return TRUE;
}

// The shown chooser of this thread, or nullptr.
HWND open_chooser() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &find_shown_chooser, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND name_box(HWND chooser) {
    HWND found = nullptr;
    EnumChildWindows(chooser, &find_name_box, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers the choosers that open while it lives, one action per chooser step.
class ChooserDriver {
public:
    using Action = std::function<void(HWND chooser)>;

    explicit ChooserDriver(std::deque<Action> actions) : actions_(std::move(actions)) {
        current = this;
        timer_ = SetTimer(nullptr, 0, 150, &ChooserDriver::tick);
    }
    ~ChooserDriver() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    ChooserDriver(const ChooserDriver&) = delete;
    ChooserDriver& operator=(const ChooserDriver&) = delete;

    bool all_done() const { return actions_.empty(); }

    static Action type_and_confirm(std::u16string text) {
        return [text](HWND chooser) {
            SendMessageW(name_box(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        };
    }
    static Action cancel() {
        return [](HWND chooser) {
            PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        };
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current == nullptr || current->actions_.empty()) {
            return;
        }
        if (HWND chooser = open_chooser(); chooser != nullptr && name_box(chooser) != nullptr) {
            Action action = std::move(current->actions_.front());
            current->actions_.pop_front();
            action(chooser);
        }
    }

    static inline ChooserDriver* current = nullptr;
    std::deque<Action> actions_;
    UINT_PTR timer_;
};

class Choosers : public ::testing::Test {
protected:
    Choosers() {
        test::write_bytes(folder.file(u"a.txt"), "a");
        test::write_bytes(folder.file(u"b.txt"), "b");
        test::make_folder(folder.file(u"target"));
        SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(folder.path().c_str()));
    }
    void click(const WindowedControl& button) { SendMessageW(button.handle(), BM_CLICK, 0, 0); }

    test::TempDir folder;
    test::StartedProgram program;
};

TEST_F(Choosers, picking_two_files_lists_both_and_a_cancel_lists_the_last_choice_again) {
    {
        ChooserDriver driver({ChooserDriver::cancel()});
        click(MainForm->FindFilesButton);
        EXPECT_TRUE(driver.all_done());
    }
    EXPECT_THAT(MainForm->FileMemo.lines(), IsEmpty()); // nothing chosen yet in this run
    {
        // Typing the folder's path opens it; then the two names are chosen from there.
        ChooserDriver driver({ChooserDriver::type_and_confirm(folder.file(u"")),
                              ChooserDriver::type_and_confirm(u"\"a.txt\" \"b.txt\"")});
        click(MainForm->FindFilesButton);
        EXPECT_TRUE(driver.all_done());
    }
    EXPECT_THAT(MainForm->FileMemo.lines(),
                ElementsAre(folder.file(u"a.txt"), folder.file(u"b.txt")));
    MainForm->FileMemo.set_text(u"edited by hand");
    {
        ChooserDriver driver({[&](HWND chooser) {
            // The chooser opens with the first file of the last choice in its name box.
            EXPECT_EQ(test::window_text(name_box(chooser)), folder.file(u"a.txt"));
            PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        }});
        click(MainForm->FindFilesButton);
        EXPECT_TRUE(driver.all_done());
    }
    EXPECT_THAT(MainForm->FileMemo.lines(),
                ElementsAre(folder.file(u"a.txt"), folder.file(u"b.txt")));
}

TEST_F(Choosers, a_chosen_folder_ends_in_a_backslash_and_a_cancel_keeps_the_field) {
    {
        // Typing the folder's path opens it; confirming an empty name box then chooses it.
        ChooserDriver driver({[&](HWND chooser) {
                                  EXPECT_EQ(test::window_text(chooser), u"Select Folder");
                                  ChooserDriver::type_and_confirm(folder.file(u"target"))(chooser);
                              },
                              ChooserDriver::type_and_confirm(u"")});
        click(MainForm->SpeedButton1);
    }
    EXPECT_EQ(MainForm->Edit2.text(), folder.file(u"target") + u"\\");
    {
        ChooserDriver driver({ChooserDriver::cancel()});
        click(MainForm->SpeedButton1);
        EXPECT_TRUE(driver.all_done());
    }
    EXPECT_EQ(MainForm->Edit2.text(), folder.file(u"target") + u"\\");
}

} // namespace
} // namespace t2k
