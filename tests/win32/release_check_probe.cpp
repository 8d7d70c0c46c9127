// Not a test program: an exe that breaks each rule of the release check, for the check to refuse:
// a function Windows 7 lacks, a DLL that is no KnownDLL, COMCTL32 without the manifest's
// dependency (the build adds a manifest lacking it, and the linking leaves out the hardening).
#include <windows.h>

#include <commctrl.h>
#include <winver.h>

int main() {
    InitCommonControls();
    DWORD unused = 0;
    return static_cast<int>(GetDpiForWindow(GetDesktopWindow()) +
                            GetFileVersionInfoSizeW(L"x", &unused));
}
