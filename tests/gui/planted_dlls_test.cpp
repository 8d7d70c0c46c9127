// A DLL dropped beside the exe under a system DLL's name is never loaded by it: each exe is copied
// into a folder full of them and run under Wine with those names loaded native-first (the folder
// before the system), and none of them may be loaded as the process starts, beyond what Wine's
// own system DLLs load there for any program (a control learns which).
#include "program_window.h"
#include "tests/support/build_file_path.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace t2k {
namespace {

// The names planted: the DLLs the exes imported before, and those a Windows program commonly
// loads by name without their being KnownDLLs. The build loads each native-first under Wine (the
// exe's folder before the system), as Windows loads every DLL that is no KnownDLL.
std::vector<std::wstring> planted_names() {
    std::vector<std::wstring> names;
    std::wstring name;
    for (const char c : std::string_view(T2K_PLANTED_NAMES)) {
        if (c == ',') {
            names.push_back(name);
            name.clear();
        } else {
            name += static_cast<wchar_t>(c);
        }
    }
    names.push_back(name);
    return names;
}

// A folder holding a copy of the exe and the planted DLLs.
class PlantedFolder {
public:
    explicit PlantedFolder(const char* exe_build_path) {
        const std::filesystem::path exe = test::windows_path_of_build_file(exe_build_path);
        exe_ = std::filesystem::path(folder_.path()) / exe.filename();
        std::filesystem::copy_file(exe, exe_);
        const std::filesystem::path dll = test::windows_path_of_build_file(T2K_PLANTED_DLL);
        const std::filesystem::path msimg32 = test::windows_path_of_build_file(T2K_PLANTED_MSIMG32);
        for (const std::wstring& name : planted_names()) {
            std::filesystem::copy_file(name == L"msimg32" ? msimg32 : dll, dll_path(name));
        }
    }

    const std::filesystem::path& exe() const { return exe_; }
    std::wstring folder() const { return exe_.parent_path().wstring(); }
    std::u16string file(std::u16string_view name) const { return folder_.file(name); }

    // The planted DLLs loaded as the process started.
    std::vector<std::wstring> loaded_at_start() const {
        std::vector<std::wstring> names;
        for (const std::wstring& name : planted_names()) {
            const std::u16string marker = (dll_path(name).u16string() + u".loaded");
            if (test::path_exists(marker) && test::read_bytes(marker) == "static") {
                names.push_back(name + L".dll");
            }
        }
        return names;
    }

private:
    std::filesystem::path dll_path(const std::wstring& name) const {
        return exe_.parent_path() / (name + L".dll");
    }

    test::TempDir folder_;
    std::filesystem::path exe_;
};

// A process started with its folder as the current one (the current folder is searched too,
// where nothing restricts the search), closed when the object goes.
class Process {
public:
    Process(const std::filesystem::path& exe, const std::wstring& arguments,
            const std::wstring& folder) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
        started_ = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &info_);
    }
    ~Process() {
        if (started_) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info_.hProcess, 1);
            }
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    // The exit code, or nullopt when it has not ended within the time.
    std::optional<DWORD> wait(DWORD milliseconds) const {
        if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// The planted DLLs a program loaded as it started that the least program importing the same
// KnownDLLs does not: under Wine, a builtin system DLL takes its own dependencies from the
// program's folder, where Windows takes a KnownDLL's from the system. Later loads are not counted:
// Wine's theming loads msimg32 by name whenever a themed control is drawn.
std::vector<std::wstring> loaded_beyond_wine_itself(const PlantedFolder& folder) {
    static const std::vector<std::wstring> by_wine = [] {
        const PlantedFolder control(T2K_CONTROL_EXE);
        const Process process(control.exe(), L"", control.folder());
        EXPECT_EQ(process.wait(30000), std::optional<DWORD>(0));
        return control.loaded_at_start();
    }();
    std::vector<std::wstring> beyond;
    for (const std::wstring& name : folder.loaded_at_start()) {
        if (std::find(by_wine.begin(), by_wine.end(), name) == by_wine.end()) {
            beyond.push_back(name);
        }
    }
    return beyond;
}

// Without the overrides nothing planted would ever load, and the tests would pass for nothing.
TEST(PlantedDlls, are_loaded_native_first) {
    wchar_t overrides[4096];
    const DWORD length = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 4096);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, 4096u);
    EXPECT_NE(std::wstring(overrides, length).find(L"msimg32"), std::wstring::npos);
}

TEST(PlantedDlls, the_window_program_loads_none_of_them) {
    const PlantedFolder folder(T2K_PROGRAM_EXE);
    {
        const Process program(folder.exe(), L"", folder.folder());
        ASSERT_TRUE(program.started());
        const HWND window = test::find_program_window(program.id(), nullptr);
        EXPECT_NE(window, nullptr) << "the program showed no window";
        // Both windows are made at start (the About window reads the version record then); a
        // little longer for whatever the first paint loads.
        Sleep(500);
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.wait(10000), std::optional<DWORD>(0));
    }
    EXPECT_EQ(loaded_beyond_wine_itself(folder), std::vector<std::wstring>());
}

TEST(PlantedDlls, the_cli_loads_none_of_them) {
    const PlantedFolder folder(T2K_CLI_EXE);
    test::write_bytes(folder.file(u"in.tov"), "x\r\n\xABp2\r\nA_1\r\n");
    {
        const Process cli(folder.exe(), L"in.tov", folder.folder());
        ASSERT_TRUE(cli.started());
        EXPECT_EQ(cli.wait(30000), std::optional<DWORD>(0));
    }
    EXPECT_EQ(test::read_bytes(folder.file(u"in.maz")), "\x02"
                                                        "A\x03"
                                                        "1\x04");
    EXPECT_EQ(loaded_beyond_wine_itself(folder), std::vector<std::wstring>());
}

} // namespace
} // namespace t2k
