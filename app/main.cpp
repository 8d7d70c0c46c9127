// Entry point of Tovaro2KORVANE.exe.
#include "app/startup.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return t2k::run_program();
}
