// TMainForm: creation (mutex, window menu, settings, caption), the choosers, the translate command
// and saving the settings at close.
#include "ui/MainUnit.h"

#include "convert/batch.h"
#include "platform/code_page.h"
#include "platform/path_style.h"
#include "product_identity.h"
#include "settings/exe_folder.h"
#include "settings/settings.h"
#include "toolkit/win32/busy_cursor.h"
#include "toolkit/win32/catch_all.h"
#include "toolkit/win32/dropped_files.h"
#include "toolkit/win32/folder_files.h"
#include "toolkit/win32/message_box.h"
#include "ui/WindowMenu.h"

namespace t2k {

TMainForm::TMainForm() : Form(main_form_layout::form) {
    FindFilesButton.on_click([this] { FindFilesButtonClick(); });
    SpeedButton1.on_click([this] { SpeedButton1Click(); });
    Button1.on_click([this] { Button1Click(); });
    on_message(WM_DROPFILES, [this](WPARAM drop, LPARAM) -> std::optional<LRESULT> {
        FormDropFiles(take_dropped_files(reinterpret_cast<HDROP>(drop)));
        return 0;
    });
}

void TMainForm::FormCreate() {
    mutex_ = KernelHandle(CreateMutexW(nullptr, FALSE, L"BrontelMutex"));
    add_window_menu(u"about");
    const SavedSettings saved = load_settings(exe_folder());
    Edit2.set_text(saved.save_path);
    ExtensionEdit.set_text(saved.save_extension);
    set_caption(u"Tovaro to KORVANE version: " + std::u16string(identity::version));
    DragAcceptFiles(handle(), TRUE);
}

// A settings file that cannot be written is reported, and the window closes all the same: a
// program in a read-only folder must still be closable.
void TMainForm::FormClose(CloseAction&) {
    run_guarded([this] { save_settings(exe_folder(), {Edit2.text(), ExtensionEdit.text()}); });
}

void TMainForm::FindFilesButtonClick() {
    FileMemo.clear();
    OpenDialog1.execute(handle());
    FileMemo.append_lines(OpenDialog1.files());
}

// Files dragged from the shell replace the list as a chosen set does; the chooser keeps its own.
// A dropped folder stands for the files directly inside it, in their place among the others.
void TMainForm::FormDropFiles(const std::vector<std::u16string>& dropped) {
    std::vector<std::u16string> files;
    for (const std::u16string& path : dropped) {
        if (is_folder(path)) {
            const std::vector<std::u16string> inside = files_in_folder(path);
            files.insert(files.end(), inside.begin(), inside.end());
        } else {
            files.push_back(path);
        }
    }
    FileMemo.clear();
    FileMemo.append_lines(files);
}

// A cancelled chooser leaves the folder as it was, so the saved folder is not lost.
void TMainForm::SpeedButton1Click() {
    const std::u16string folder = choose_folder(u"");
    if (!folder.empty()) {
        Edit2.set_text(folder);
    }
}

std::u16string TMainForm::choose_folder(std::u16string_view root) {
    const auto folder = pick_folder(handle(), u"Select Folder", root);
    return folder ? PathStyle::windows.with_trailing_delimiter(*folder) : std::u16string();
}

// The results are shown before the error box of a failure that ends the batch, too. A catch that
// passes the failure on, not a destructor: showing them may fail in its turn, and that failure
// must travel on rather than end the program.
void TMainForm::Button1Click() {
    const BusyCursor busy(this);
    try {
        run_batch(*this, {CodePage::system(), PathStyle::windows, ReadMode::small_blocks,
                          WriteMode::byte_per_write});
    } catch (...) {
        show_gathered_results();
        throw;
    }
    show_gathered_results();
}

std::vector<std::u16string> TMainForm::file_list() {
    return FileMemo.lines();
}

std::u16string TMainForm::output_folder() {
    return Edit2.text();
}

std::u16string TMainForm::extension() {
    return ExtensionEdit.text();
}

void TMainForm::clear_results() {
    gathered_results_.clear();
    FinishedMemo.clear();
}

// The batch runs inside the click handler, so the window does not repaint before it ends or a
// message box opens: the lines are gathered and handed to FinishedMemo in one change at those
// moments. Each change makes the edit control lay out and scroll its text again (milliseconds
// under Wine), which one change per line would pay for every file.
void TMainForm::append_result(std::u16string_view line) {
    gathered_results_.emplace_back(line);
}

void TMainForm::show_gathered_results() {
    if (!gathered_results_.empty()) {
        FinishedMemo.append_lines(gathered_results_);
        gathered_results_.clear();
    }
}

// The box behind the message shows every file written so far.
void TMainForm::show_message(MessageKind, std::u16string_view text, std::u16string_view) {
    show_gathered_results();
    t2k::show_message(text);
}

} // namespace t2k
