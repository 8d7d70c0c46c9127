// Test helper: records every message box the test thread shows and presses its OK button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace t2k::test {

struct RecordedBox {
    std::u16string caption;
    std::u16string text;
    bool has_icon = false;
    RECT rect{};
    // The watched window's text when the box showed (see MessageBoxRecorder::watch).
    std::u16string watched_text;
};

// While it lives, each message box of this thread is read when it activates and then dismissed.
// Other dialogs (the file choosers) are left alone.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedBox>& boxes() const noexcept { return boxes_; }
    std::vector<std::u16string> texts() const;
    void clear() { boxes_.clear(); }
    // Reads window's text, too, as each box shows: what the user sees behind the box.
    void watch(HWND window) { watched_ = window; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam);
    HHOOK hook_;
    HWND watched_ = nullptr;
    std::vector<RecordedBox> boxes_;
};

std::u16string window_text(HWND window);

} // namespace t2k::test
