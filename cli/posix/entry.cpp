// The command line's entry on POSIX: arguments taken as UTF-8.
#include "cli/cli.h"

#include "platform/text.h"

#include <vector>

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(t2k::from_utf8(argv[i]));
    }
    return t2k::run_cli(args);
}
