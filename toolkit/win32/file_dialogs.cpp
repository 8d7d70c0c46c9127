// File and folder choosers over IFileOpenDialog.
#include "toolkit/win32/file_dialogs.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/win32/handles.h"

#include <shobjidl.h>

namespace t2k {

namespace {

void check(HRESULT result) {
    if (FAILED(result)) {
        throw Error(u"The file chooser cannot be shown");
    }
}

ComPtr<IFileOpenDialog> make_dialog() {
    ComPtr<IFileOpenDialog> dialog;
    check(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                           dialog.put_void()));
    return dialog;
}

// The file-system path, or the display name for an item that has none.
std::u16string item_name(IShellItem* item) {
    CoTaskString name;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, name.put())) &&
        FAILED(item->GetDisplayName(SIGDN_NORMALDISPLAY, name.put()))) {
        return {};
    }
    return from_wide(name.get());
}

// Show's result: confirmed, cancelled, or a failure of the dialog itself.
bool shown(IFileOpenDialog* dialog, HWND owner) {
    const HRESULT result = dialog->Show(owner);
    if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return false;
    }
    check(result);
    return true;
}

} // namespace

bool OpenFilesDialog::execute(HWND owner) {
    ComPtr<IFileOpenDialog> dialog = make_dialog();
    check(dialog->SetOptions(FOS_ALLOWMULTISELECT));
    if (!file_name_.empty()) {
        check(dialog->SetFileName(wide(file_name_)));
    }
    if (!shown(dialog.get(), owner)) {
        return false;
    }
    ComPtr<IShellItemArray> items;
    check(dialog->GetResults(items.put()));
    DWORD count = 0;
    check(items->GetCount(&count));
    std::vector<std::u16string> chosen;
    for (DWORD i = 0; i < count; ++i) {
        ComPtr<IShellItem> item;
        check(items->GetItemAt(i, item.put()));
        chosen.push_back(item_name(item.get()));
    }
    files_ = std::move(chosen);
    file_name_ = files_.empty() ? std::u16string() : files_.front();
    return true;
}

std::optional<std::u16string> pick_folder(HWND owner, std::u16string_view title,
                                          std::u16string_view root) {
    ComPtr<IFileOpenDialog> dialog = make_dialog();
    FILEOPENDIALOGOPTIONS options = 0;
    check(dialog->GetOptions(&options));
    check(dialog->SetOptions(options | FOS_PICKFOLDERS));
    check(dialog->SetTitle(wide(std::u16string(title))));
    if (!root.empty()) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(wide(std::u16string(root)), nullptr,
                                                  IID_IShellItem, folder.put_void()))) {
            dialog->SetFolder(folder.get());
        }
    }
    if (!shown(dialog.get(), owner)) {
        return std::nullopt;
    }
    ComPtr<IShellItem> item;
    check(dialog->GetResult(item.put()));
    return item_name(item.get());
}

} // namespace t2k
