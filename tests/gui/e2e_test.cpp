// End to end: Tovaro2KORVANE.exe started as a user starts it, driven from outside by window
// messages; the output file, the results box and the saved settings are checked.
#include "main_window_support.h"
#include "program_window.h"
#include "tests/support/message_box_recorder.h"

#include "product_identity.h"
#include "resources/main/main_form_layout.h"
#include "tests/support/build_file_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace t2k {
namespace {

std::filesystem::path program_path() {
    return test::windows_path_of_build_file(T2K_PROGRAM_EXE);
}

HWND control(HWND window, std::u16string_view name) {
    return GetDlgItem(window, control_id(main_form_layout::form, name));
}

void set_text(HWND control, const std::u16string& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

TEST(EndToEnd, the_program_translates_what_its_window_is_given_and_keeps_the_settings) {
    test::TempDir folder;
    const std::filesystem::path exe = std::filesystem::path(folder.file(u"Tovaro2KORVANE.exe"));
    std::filesystem::copy_file(program_path(), exe);
    test::make_folder(folder.file(u"out"));
    test::write_bytes(folder.file(u"in.tov"), "x\r\n\xABp2\r\nA_1\r\n");
    const std::u16string out = folder.file(u"out");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               reinterpret_cast<const wchar_t*>(folder.path().c_str()), &startup,
                               &process));
    HWND window = test::find_program_window(process.dwProcessId,
                                            L"Tovaro to KORVANE version: " T2K_VERSION_TEXT);
    ASSERT_NE(window, nullptr);

    set_text(control(window, u"FileMemo"), folder.file(u"in.tov"));
    set_text(control(window, u"Edit2"), out);
    set_text(control(window, u"ExtensionEdit"), u"kor");
    SendMessageW(control(window, u"Button1"), BM_CLICK, 0, 0);

    EXPECT_EQ(test::window_text(control(window, u"FinishedMemo")), out + u"\\in.kor\r\n");
    EXPECT_EQ(test::read_bytes(out + u"\\in.kor"), "\x02"
                                                   "A\x03"
                                                   "1\x04");

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exit_code = 1;
    GetExitCodeProcess(process.hProcess, &exit_code);
    EXPECT_EQ(exit_code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const std::string saved = test::read_bytes(folder.file(u"tovaro.ini"));
    EXPECT_NE(saved.find("SavePath=" + std::filesystem::path(out).string()), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("SaveExtension=kor"), std::string::npos) << saved;
}

} // namespace
} // namespace t2k
