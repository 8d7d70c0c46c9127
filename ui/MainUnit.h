// TMainForm: the program's working window — file list, output folder and extension, translate
// command and results — and its single instance MainForm.
#pragma once

#include "convert/conversion_host.h"
#include "resources/main/main_form_layout.h"
#include "toolkit/win32/windowed_controls.h"
#include "toolkit/win32/file_dialogs.h"
#include "toolkit/win32/form.h"
#include "toolkit/win32/handles.h"

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

class TMainForm : public Form, public ConversionHost {
public:
    TMainForm();

    // In creation order, as the layout lists them.
    Label Label4{*this, main_form_layout::row(u"Label4")};
    Label Label7{*this, main_form_layout::row(u"Label7")};
    Button Button1{*this, main_form_layout::row(u"Button1")};
    Label Label2{*this, main_form_layout::row(u"Label2")};
    Edit Edit2{*this, main_form_layout::row(u"Edit2")};
    Label Label5{*this, main_form_layout::row(u"Label5")};
    Memo FinishedMemo{*this, main_form_layout::row(u"FinishedMemo")};
    PictureButton SpeedButton1{*this, main_form_layout::row(u"SpeedButton1")};
    Label Label3{*this, main_form_layout::row(u"Label3")};
    Edit ExtensionEdit{*this, main_form_layout::row(u"ExtensionEdit")};
    Memo FileMemo{*this, main_form_layout::row(u"FileMemo")};
    Label Label6{*this, main_form_layout::row(u"Label6")};
    Button FindFilesButton{*this, main_form_layout::row(u"FindFilesButton")};

    // The folder chooser: the chosen folder with trailing delimiter, or "" when cancelled.
    std::u16string choose_folder(std::u16string_view root);

    // What the batch reads and reports through.
    std::vector<std::u16string> file_list() override;
    std::u16string output_folder() override;
    std::u16string extension() override;
    void clear_results() override;
    void append_result(std::u16string_view line) override;
    void show_message(MessageKind kind, std::u16string_view text,
                      std::u16string_view file) override;

private:
    void FormCreate() override;
    void FormClose(CloseAction& action) override;
    void FindFilesButtonClick();
    void SpeedButton1Click();
    void Button1Click();
    void FormDropFiles(const std::vector<std::u16string>& dropped);
    void show_gathered_results();

    KernelHandle mutex_; // held, never used, for the life of the process
    // Result lines of the running batch not yet in FinishedMemo (see append_result).
    std::vector<std::u16string> gathered_results_;
    OpenFilesDialog OpenDialog1;
};

inline TMainForm* MainForm = nullptr;

} // namespace t2k
