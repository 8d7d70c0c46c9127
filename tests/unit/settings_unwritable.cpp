// Unwritable: chattr on the file's Unix path (also from under Wine), else the read-only permission.
#include "tests/unit/settings_unwritable.h"

#include "platform/text.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace t2k::test {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// Wine shows the Unix side through its own exports; on Windows itself there is none.
std::optional<std::string> unix_path(const std::u16string& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (unix_name == nullptr) {
        return std::nullopt;
    }
    char* name = unix_name(reinterpret_cast<const wchar_t*>(path.c_str()));
    if (name == nullptr) {
        return std::nullopt;
    }
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Wine starts a Unix program named by its Z: path as it starts a Windows one, but hands back no
// process to wait for: the caller waits for the effect instead.
bool start_chattr(const char* flag, const std::string& unix_file) {
    std::wstring command = L"chattr " + std::wstring(flag, flag + 2) + L" \"";
    const std::u16string file = from_utf8(unix_file);
    command.append(file.begin(), file.end());
    command += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\chattr", command.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    for (HANDLE handle : {process.hThread, process.hProcess}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    return true;
}
#else
std::optional<std::string> unix_path(const std::u16string& path) {
    return to_utf8(path);
}

// Runs chattr to its end; false when it failed.
bool start_chattr(const char* flag, const std::string& unix_file) {
    std::vector<std::string> args = {"chattr", flag, unix_file};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, "chattr", nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

// Asked the way the code under test would find out: by trying. A folder is tried with a new name
// each time: a probe that chattr caught half-way stays, and opening it again would succeed.
bool writable(const fs::path& path) {
    if (fs::is_directory(path)) {
        static unsigned probes = 0;
        const fs::path probe = path / ("unwritable-probe-" + std::to_string(probes++));
        const bool created = std::ofstream(probe, std::ios::binary).is_open();
        std::error_code ignored;
        fs::remove(probe, ignored);
        return created;
    }
    return std::ofstream(path, std::ios::binary | std::ios::app).is_open();
}

// chattr may still be running (under Wine), so give its effect a few seconds to show.
bool becomes(bool wanted, const fs::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (writable(path) != wanted) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

constexpr auto write_permissions =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

} // namespace

Unwritable::Unwritable(std::u16string path) : path_(std::move(path)) {
    const fs::path target(path_);
    const std::optional<std::string> unix_file = unix_path(path_);
    immutable_ = unix_file && start_chattr("+i", *unix_file);
    if (immutable_ && becomes(false, target)) {
        return;
    }
    std::error_code error;
    fs::permissions(target, write_permissions, fs::perm_options::remove, error);
    read_only_ = !error;
    if (!writable(target)) {
        return;
    }
    failure_ =
        "cannot make " + to_utf8(path_) + " unwritable here: " +
        (immutable_ ? "the immutable flag" : "chattr +i failed, and the read-only permission") +
        " does not stop writes";
}

Unwritable::~Unwritable() {
    const bool clearing = immutable_ && start_chattr("-i", *unix_path(path_));
    if (read_only_) {
        std::error_code ignored;
        fs::permissions(fs::path(path_), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    if (clearing) {
        becomes(true, fs::path(path_));
    }
}

} // namespace t2k::test
