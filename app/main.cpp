// Entry point of Tovaro2KORVANE.exe.
#include "app/startup.h"
#include "platform/win32/system_functions.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL by name: none may come from the exe's folder, which may be
    // a Downloads folder holding whatever a web page dropped there.
    t2k::restrict_dll_search_to_system32();
    return t2k::run_program();
}
