// Application: the window registry, window creation at start, the event loop and shutdown.
#pragma once

#include "toolkit/win32/form.h"

#include <functional>
#include <memory>
#include <vector>

namespace t2k {

class Application {
public:
    Application();  // the thread's COM apartment and the common controls
    ~Application(); // destroys the forms, the last created first, without close handlers
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Registers a form class for creation; `instance` receives the form before its creation
    // code runs, so that its FormCreate can already reach it through that variable.
    template <class FormClass> void register_form(FormClass*& instance) {
        registry_.push_back({[&instance]() -> std::unique_ptr<Form> {
                                 auto form = std::make_unique<FormClass>();
                                 instance = form.get();
                                 return form;
                             },
                             [&instance] {
                                 instance = nullptr;
                             }});
    }

    // Creates the registered forms in order; the first is the main form and is shown once all
    // exist, the others stay hidden and are owned by it.
    void create_forms();
    // create_forms, then events until the main form has closed. The process's exit code.
    int run();

    Form* main_form() const noexcept { return forms_.empty() ? nullptr : forms_.front().get(); }
    // Destroys the forms now (what the destructor does).
    void destroy_forms() noexcept;

private:
    struct Registration {
        std::function<std::unique_ptr<Form>()> make;
        std::function<void()> forget;
    };

    class ComApartment {
    public:
        ComApartment();
        ~ComApartment();
        ComApartment(const ComApartment&) = delete;
        ComApartment& operator=(const ComApartment&) = delete;

    private:
        bool initialised_;
    };

    ComApartment com_;
    std::vector<Registration> registry_;
    std::vector<std::unique_ptr<Form>> forms_;
};

} // namespace t2k
