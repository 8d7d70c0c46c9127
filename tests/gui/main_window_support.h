// Helpers of the main-window tests: the program's windows started as start-up starts them, and
// the temporary folders and files of every test.
#pragma once

#include "app/startup.h"
#include "toolkit/win32/application.h"
#include "tests/support/temp_dir.h"
#include "toolkit/win32/message_loop.h"

#include <windows.h>

namespace t2k::test {

// The windows created by the program's own registry, destroyed at the end of the test.
class StartedProgram {
public:
    StartedProgram() {
        register_windows(application);
        application.create_forms();
        process_pending_messages();
    }
    Application application;
};

} // namespace t2k::test
