// Files dropped from the shell onto the main window, and the wait cursor while a batch runs.
#include "main_window_support.h"
#include "tests/support/message_box_recorder.h"

#include "platform/win32/wide.h"
#include "toolkit/win32/message_loop.h"
#include "ui/MainUnit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace t2k {
namespace {

using test::MessageBoxRecorder;
using test::StartedProgram;
using test::TempDir;
using ::testing::Each;
using ::testing::ElementsAre;

const std::string tovaro_file = "\xABp2\r\nA_1\r\n";

// A WM_DROPFILES block as the shell builds it: DROPFILES, then the wide names, each ended by a
// NUL, and one more NUL at the end.
HGLOBAL drop_block(const std::vector<std::u16string>& files) {
    std::u16string names;
    for (const auto& file : files) {
        names += file + u'\0';
    }
    names += u'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(char16_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(),
                names.size() * sizeof(char16_t));
    GlobalUnlock(block);
    return block;
}

TEST(MainWindowDrop, dropped_files_replace_the_list_in_the_order_given) {
    TempDir in;
    StartedProgram program;
    EXPECT_NE(GetWindowLongPtrW(MainForm->handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    MainForm->FileMemo.set_text(u"C:\\old\\one.txt\r\nC:\\old\\two.txt");
    const std::vector<std::u16string> dropped = {in.file(u"b.txt"), in.file(u"a folder")};

    PostMessageW(MainForm->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop_block(dropped)),
                 0);
    process_pending_messages();

    EXPECT_EQ(MainForm->FileMemo.lines(), dropped);
}

// A folder of files as a user drops it: mixed case, names with digits, a file that is not a
// Tovaro file, a subfolder with a file of its own, a hidden file and a system file; an empty
// folder; and two loose files.
struct DropFolders {
    TempDir root;
    DropFolders() {
        test::make_folder(root.file(u"folder"));
        for (const char16_t* name : {u"c.TXT", u"a.txt", u"B.txt", u"notes.doc", u"2.txt",
                                     u"10.txt", u"hidden.txt", u"desktop.ini"}) {
            test::write_bytes(root.file(u"folder\\") + name, tovaro_file);
        }
        // What Explorer hides by default.
        set_attributes(u"folder\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
        set_attributes(u"folder\\desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        test::make_folder(root.file(u"folder\\sub"));
        test::write_bytes(root.file(u"folder\\sub\\deep.txt"), tovaro_file);
        test::make_folder(root.file(u"empty"));
        test::write_bytes(root.file(u"z.txt"), tovaro_file);
        test::write_bytes(root.file(u"a.txt"), tovaro_file);
    }
    void set_attributes(std::u16string_view name, DWORD attributes) const {
        ASSERT_TRUE(SetFileAttributesW(wide(root.file(name)), attributes));
    }
    // Names relative to the root, as full paths.
    std::vector<std::u16string> paths(const std::vector<std::u16string>& names) const {
        std::vector<std::u16string> full;
        for (const auto& name : names) {
            full.push_back(root.file(name));
        }
        return full;
    }
};

struct FolderDropCase {
    const char* what;
    std::vector<std::u16string> dropped;
    std::vector<std::u16string> listed;
};

TEST(MainWindowDrop, a_dropped_folder_lists_its_own_files_by_name_in_its_place) {
    const std::vector<std::u16string> folder_files = {u"folder\\10.txt", u"folder\\2.txt",
                                                      u"folder\\a.txt",  u"folder\\B.txt",
                                                      u"folder\\c.TXT",  u"folder\\notes.doc"};
    std::vector<std::u16string> between = {u"z.txt"};
    between.insert(between.end(), folder_files.begin(), folder_files.end());
    between.push_back(u"a.txt");
    const FolderDropCase cases[] = {
        {"a folder alone: its files sorted ignoring case, no subfolder, nothing hidden",
         {u"folder"},
         folder_files},
        {"a folder named with a trailing backslash, as a drive root is",
         {u"folder\\"},
         folder_files},
        {"files dropped alongside keep their places", {u"z.txt", u"folder", u"a.txt"}, between},
        {"an empty folder adds nothing", {u"empty"}, {}},
        {"an empty folder among files", {u"z.txt", u"empty", u"a.txt"}, {u"z.txt", u"a.txt"}},
    };
    DropFolders folders;
    StartedProgram program;
    for (const FolderDropCase& c : cases) {
        SCOPED_TRACE(c.what);
        MainForm->FileMemo.set_text(u"C:\\old\\one.txt");
        PostMessageW(MainForm->handle(), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(drop_block(folders.paths(c.dropped))), 0);
        process_pending_messages();
        EXPECT_EQ(MainForm->FileMemo.lines(), folders.paths(c.listed));
    }
}

// The cursor the main window asks for when the pointer is over its client area, and the one set.
struct CursorSeen {
    bool window_says_wait;
    bool current_is_wait;
};

CursorSeen cursor_now() {
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    const LRESULT handled =
        SendMessageW(MainForm->handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(MainForm->handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return {handled == TRUE && GetCursor() == wait, GetCursor() == wait};
}

// Records the cursor each time the results box is written, i.e. in the middle of the batch.
class ResultsWatch {
public:
    ResultsWatch() {
        watched = this;
        previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            MainForm->FinishedMemo.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&proc)));
    }
    ~ResultsWatch() {
        SetWindowLongPtrW(MainForm->FinishedMemo.handle(), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(previous_));
        watched = nullptr;
    }
    std::vector<bool> busy_when_written;

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_SETTEXT || message == EM_REPLACESEL) {
            watched->busy_when_written.push_back(cursor_now().window_says_wait);
        }
        return CallWindowProcW(watched->previous_, window, message, wparam, lparam);
    }
    static inline ResultsWatch* watched = nullptr;
    WNDPROC previous_;
};

// Records the cursor as each message box comes up, before the recorder below it presses OK.
class BoxWatch {
public:
    BoxWatch() {
        watched = this;
        hook_ = SetWindowsHookExW(WH_CBT, &hook, nullptr, GetCurrentThreadId());
    }
    ~BoxWatch() {
        UnhookWindowsHookEx(hook_);
        watched = nullptr;
    }
    std::vector<bool> busy_when_shown;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wparam) != MainForm->handle()) {
            watched->busy_when_shown.push_back(cursor_now().window_says_wait);
        }
        return CallNextHookEx(watched->hook_, code, wparam, lparam);
    }
    static inline BoxWatch* watched = nullptr;
    HHOOK hook_;
};

TEST(MainWindowCursor, waits_while_the_batch_runs_shows_the_arrow_in_its_boxes_and_restores_it) {
    TempDir in, out;
    test::write_bytes(in.file(u"a.txt"), tovaro_file);
    test::write_bytes(in.file(u"b.txt"), tovaro_file);
    test::write_bytes(out.file(u"own.maz"), tovaro_file); // its output would be itself
    StartedProgram program;
    MessageBoxRecorder boxes;
    BoxWatch box_watch;
    MainForm->Edit2.set_text(out.path());
    ResultsWatch results_watch;

    for (const auto& list :
         {in.file(u"a.txt") + u"\r\n" + in.file(u"missing") + u"\r\n" + in.file(u"b.txt"),
          in.file(u"a.txt") + u"\r\n" + out.file(u"own.maz")}) {
        MainForm->FileMemo.set_text(list);
        SendMessageW(MainForm->Button1.handle(), BM_CLICK, 0, 0);
        EXPECT_FALSE(MainForm->busy());
        EXPECT_FALSE(cursor_now().current_is_wait) << "the cursor is restored after the batch";
    }

    // First batch: a, b written; second: a written, then the error box.
    EXPECT_THAT(results_watch.busy_when_written, ::testing::Not(::testing::IsEmpty()));
    EXPECT_THAT(results_watch.busy_when_written, Each(true));
    EXPECT_EQ(boxes.texts(), (std::vector<std::u16string>{u"Cannot find " + in.file(u"missing"),
                                                          u"I/O error 32."}));
    EXPECT_THAT(box_watch.busy_when_shown, ElementsAre(false, false));
}

} // namespace
} // namespace t2k
