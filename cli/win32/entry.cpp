// The command line's entry on Windows: wide arguments.
#include "cli/cli.h"

#include "platform/win32/system_functions.h"
#include "platform/win32/wide.h"

#include <vector>

int wmain(int argc, wchar_t** argv) {
    // Before anything can load a DLL by name: none may come from the exe's folder.
    t2k::restrict_dll_search_to_system32();
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(t2k::from_wide(argv[i]));
    }
    return t2k::run_cli(args);
}
