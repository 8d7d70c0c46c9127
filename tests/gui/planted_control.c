/* Not a test program: the least program that imports the KnownDLLs the exes import, for the
   planted-DLL test to learn which DLLs Wine's own builtins load from the program's folder
   whatever the program does (Windows loads a KnownDLL's dependencies from the system). */
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

int main(void) {
    InitCommonControls();
    const HRESULT com = CoInitialize(NULL);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return GetStockObject(WHITE_BRUSH) != NULL && GetDesktopWindow() != NULL &&
                   DragQueryFileW(NULL, 0, NULL, 0) == 0
               ? 0
               : 1;
}
