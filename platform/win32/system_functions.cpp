// Look-ups of System32's functions by full path, the DLL search order, and the version record.
#include "platform/win32/system_functions.h"

#include "platform/win32/wide.h"

namespace t2k {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using GetFileVersionInfoSizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using GetFileVersionInfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using VerQueryValueFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

// A system folder with a trailing backslash, empty when the system does not tell it.
std::wstring folder_of(UINT(WINAPI* get)(LPWSTR, UINT)) {
    wchar_t folder[MAX_PATH];
    const UINT length = get(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(folder, length) + L"\\";
}

bool same_path(const std::wstring& a, const wchar_t* b, DWORD b_length) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b,
                                static_cast<int>(b_length), TRUE) == CSTR_EQUAL;
}

// Whether the module is that DLL of the system folder: a DLL of that name that is in the process
// already counts one more use, and a loader may hand it out for the full path although it came
// from elsewhere. A 32-bit program on 64-bit Windows gets System32's DLLs from SysWOW64.
bool is_system_dll(HMODULE module, const wchar_t* dll) {
    wchar_t loaded[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, loaded, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    for (const std::wstring& folder :
         {folder_of(GetSystemDirectoryW), folder_of(GetSystemWow64DirectoryW)}) {
        if (!folder.empty() && same_path(folder + dll, loaded, length)) {
            return true;
        }
    }
    return false;
}

// Loaded by its full path (its own imports from its folder: nothing is looked up beside the exe);
// nullptr unless the module is that very file, which is then kept for the life of the process.
HMODULE system_module(const wchar_t* dll) {
    const std::wstring folder = folder_of(GetSystemDirectoryW);
    if (folder.empty()) {
        return nullptr;
    }
    const HMODULE module =
        LoadLibraryExW((folder + dll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module != nullptr && is_system_dll(module, dll) ? module : nullptr;
}

} // namespace

FARPROC system_function(const wchar_t* dll, const char* name) {
    const HMODULE module = system_module(dll);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void restrict_dll_search_to_system32() {
    // kernel32 is in every process; a module handle needs no load.
    const auto set_default_dll_directories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set_default_dll_directories != nullptr &&
        set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return;
    }
    SetDllDirectoryW(L"");
}

std::vector<std::byte> file_version_record(const std::u16string& path) {
    const auto size_of =
        system_function<GetFileVersionInfoSizeFunction>(L"version.dll", "GetFileVersionInfoSizeW");
    const auto read =
        system_function<GetFileVersionInfoFunction>(L"version.dll", "GetFileVersionInfoW");
    if (size_of == nullptr || read == nullptr) {
        return {};
    }
    DWORD unused = 0;
    const DWORD size = size_of(wide(path), &unused);
    if (size == 0) {
        return {};
    }
    std::vector<std::byte> record(size);
    if (!read(wide(path), 0, size, record.data())) {
        return {};
    }
    return record;
}

std::u16string version_record_string(const std::vector<std::byte>& record, const wchar_t* key) {
    const auto query = system_function<VerQueryValueFunction>(L"version.dll", "VerQueryValueW");
    void* value = nullptr;
    UINT length = 0;
    if (record.empty() || query == nullptr || !query(record.data(), key, &value, &length) ||
        value == nullptr || length == 0) {
        return {};
    }
    return from_wide(static_cast<const wchar_t*>(value));
}

} // namespace t2k
