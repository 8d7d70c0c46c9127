// Unwritable: makes a file or folder really unwritable for a test, root or not, and undoes it.
#pragma once

#include <string>

namespace t2k::test {

// Tries the immutable flag first (it stops root too), then the read-only permission, and checks
// through the file services that a write is now refused. Everything is undone on destruction.
class Unwritable {
public:
    explicit Unwritable(std::u16string path);
    ~Unwritable();
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

    // Empty when the path is unwritable now; otherwise why it could not be made so.
    const std::string& failure() const noexcept { return failure_; }

private:
    std::u16string path_;
    std::string failure_;
    bool immutable_ = false;
    bool read_only_ = false;
};

} // namespace t2k::test
