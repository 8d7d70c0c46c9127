// Start-up, event loop and shutdown of the forms the program registered.
#include "toolkit/win32/application.h"

#include "toolkit/win32/app_title.h"
#include "toolkit/win32/message_loop.h"

#include <commctrl.h>
#include <objbase.h>

namespace t2k {

Application::ComApartment::ComApartment()
    : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

Application::ComApartment::~ComApartment() {
    if (initialised_) {
        CoUninitialize();
    }
}

Application::Application() = default;

Application::~Application() {
    destroy_forms();
}

void Application::destroy_forms() noexcept {
    while (!forms_.empty()) {
        forms_.pop_back();
        registry_[forms_.size()].forget();
    }
}

void Application::create_forms() {
    application_title(); // taken once, as the first window is created
    for (const Registration& registration : registry_) {
        forms_.push_back(registration.make());
        Form& form = *forms_.back();
        const bool main = forms_.size() == 1;
        form.set_main(main);
        // The other forms are the main form's dialogs, as its message boxes and choosers are.
        form.create(main ? nullptr : main_form()->handle());
    }
    if (Form* main = main_form()) {
        main->show();
    }
}

int Application::run() {
    create_forms();
    Form* main = main_form();
    while (main != nullptr && !main->has_quit()) {
        if (!process_next_message()) {
            break;
        }
    }
    destroy_forms();
    return 0;
}

} // namespace t2k
