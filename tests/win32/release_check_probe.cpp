// Not a test program: an exe importing a function Windows 7 lacks, for the release check to refuse.
#include <windows.h>

int main() {
    return static_cast<int>(GetDpiForWindow(GetDesktopWindow()));
}
