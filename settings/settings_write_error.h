// The one failure the settings report: a write the system refused.
#pragma once

#include "platform/error.h"

#include <string>

namespace t2k {

// "Unable to write to <full path of the settings file>".
class SettingsWriteError : public Error {
public:
    explicit SettingsWriteError(const std::u16string& path)
        : Error(u"Unable to write to " + path), path_(path) {}
    const std::u16string& path() const noexcept { return path_; }

private:
    std::u16string path_;
};

} // namespace t2k
