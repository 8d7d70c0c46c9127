// Helpers of the main-window tests: a fresh temporary folder, Tovaro files, output bytes, and the
// program's windows started as start-up starts them.
#pragma once

#include "app/startup.h"
#include "toolkit/application.h"
#include "toolkit/message_loop.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace t2k::testing {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    // The full Windows path of a name inside the folder.
    std::u16string operator/(std::u16string_view name) const;

private:
    std::filesystem::path path_;
};

void write_bytes(const std::u16string& file, std::string_view bytes);
std::string read_bytes(const std::u16string& file);
bool exists(const std::u16string& file);

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

} // namespace t2k::testing
