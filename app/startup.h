// Start-up of the program: the window registry and the run of the application.
#pragma once

#include "toolkit/win32/application.h"

namespace t2k {

// Registers TMainForm into MainForm, then TAboutBox into AboutBox.
void register_windows(Application& application);

// The whole program: registry, creation, event loop, shutdown. The process's exit code.
int run_program();

} // namespace t2k
