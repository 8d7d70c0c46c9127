// Functions of Windows' own DLLs that the exes reach at run time instead of importing them: those
// newer systems add (the per-monitor DPI family), and those of DLLs that are no KnownDLLs, which
// are loaded by their full System32 path so that nothing beside the exe is loaded in their place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>
#include <windows.h>

namespace t2k {

// ---- where DLLs are looked for --------------------------------------------------------------

// From now on, a DLL loaded by name comes from System32 only, never from the exe's folder or the
// current directory: SetDefaultDllDirectories where the system has it (Windows 7 SP1 only with
// KB2533623), else SetDllDirectoryW(L""), which at least takes the current directory out. The
// first thing each exe does.
void restrict_dll_search_to_system32();

// ---- the version record (version.dll, by its full path) ---------------------------------------

// The file's version record, empty when it has none or version.dll cannot be loaded.
std::vector<std::byte> file_version_record(const std::u16string& path);

// A string of the record by its path ("\StringFileInfo\040904E4\FileVersion"), empty when missing.
std::u16string version_record_string(const std::vector<std::byte>& record, const wchar_t* key);

// ---- DPI (user32's per-monitor functions where the system has them) ---------------------------

// The DPI the window is shown at: GetDpiForWindow where the system has it (Windows 10 1607 on),
// else the DPI of the window's device context, which older systems keep at the system DPI.
unsigned window_dpi(HWND window);

// Grows a client rectangle to the rectangle of a window of that style at that DPI:
// AdjustWindowRectExForDpi where the system has it, else AdjustWindowRectEx, which measures the
// frame at the system DPI, the only DPI a window has on older systems.
void adjust_window_rect_for_dpi(RECT& rect, DWORD style, DWORD ex_style, unsigned dpi);

// For tests: from now on this process acts as if the system lacked the newer functions, as
// Windows 7 and 8 do.
void make_newer_dpi_functions_unavailable();

// ---- the look-up itself --------------------------------------------------------------------

// A function of a DLL of System32 by name, the DLL loaded by its full path (and kept for the life
// of the process); nullptr when either is missing.
FARPROC system_function(const wchar_t* dll, const char* name);

template <class Function> Function system_function(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(system_function(dll, name)));
}

} // namespace t2k
