/* Not a test program: the DLL an attacker drops beside an exe, under the name of a system DLL.
   Loaded, it leaves a file named as itself plus ".loaded" beside itself, holding "static" when
   the process loaded it while starting (an import of the exe or of a DLL it imports) and
   "dynamic" when a running program loaded it, and does nothing else. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            /* The loader passes a non-null reserved for the DLLs of a starting process. */
            const char* how = reserved != NULL ? "static" : "dynamic";
            DWORD written = 0;
            lstrcatW(path, L".loaded");
            HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, NULL);
            if (marker != INVALID_HANDLE_VALUE) {
                WriteFile(marker, how, (DWORD)lstrlenA(how), &written, NULL);
                CloseHandle(marker);
            }
        }
    }
    return TRUE;
}
