// The window registry and the program's run.
#include "app/startup.h"

#include "toolkit/win32/catch_all.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"

namespace t2k {

void register_windows(Application& application) {
    application.register_form<TMainForm>(MainForm);
    application.register_form<TAboutBox>(AboutBox);
}

int run_program() {
    int exit_code = 1;
    run_guarded([&] {
        Application application;
        register_windows(application);
        exit_code = application.run();
    });
    return exit_code;
}

} // namespace t2k
