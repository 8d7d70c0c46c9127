// Move-only owners for the window, GDI and COM objects the toolkit holds, on the one handle owner.
#pragma once

#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <shellapi.h>
#include <unknwn.h>

#include <utility>

namespace t2k {

namespace handle_traits {

// Owner traits for the handles whose "none" is null and whose close call is a plain function.
template <class H, void (*Close)(H)> struct NullEmpty {
    using Handle = H;
    static Handle empty() noexcept { return nullptr; }
    static void close(Handle handle) noexcept { Close(handle); }
};

inline void destroy_window(HWND h) {
    DestroyWindow(h);
}
inline void unhook(HHOOK h) {
    UnhookWindowsHookEx(h);
}
inline void delete_dc(HDC h) {
    DeleteDC(h);
}
inline void destroy_icon(HICON h) {
    DestroyIcon(h);
}
template <class Object> inline void delete_gdi_object(Object h) {
    DeleteObject(h);
}
inline void finish_drop(HDROP h) {
    DragFinish(h);
}

} // namespace handle_traits

using WindowHandle = UniqueHandle<handle_traits::NullEmpty<HWND, handle_traits::destroy_window>>;
using HookHandle = UniqueHandle<handle_traits::NullEmpty<HHOOK, handle_traits::unhook>>;
using MemoryDc = UniqueHandle<handle_traits::NullEmpty<HDC, handle_traits::delete_dc>>;
using IconHandle = UniqueHandle<handle_traits::NullEmpty<HICON, handle_traits::destroy_icon>>;
using DropHandle = UniqueHandle<handle_traits::NullEmpty<HDROP, handle_traits::finish_drop>>;
template <class Object>
using GdiObject =
    UniqueHandle<handle_traits::NullEmpty<Object, handle_traits::delete_gdi_object<Object>>>;

// A DC selection undone when it goes out of scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owns one reference of a COM interface.
template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For the out-parameter of a call that hands over a new reference.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

private:
    Interface* pointer_ = nullptr;
};

// Memory the shell allocated for us (CoTaskMemAlloc), freed on every path.
class CoTaskString {
public:
    CoTaskString() = default;
    ~CoTaskString() { CoTaskMemFree(text_); }
    CoTaskString(const CoTaskString&) = delete;
    CoTaskString& operator=(const CoTaskString&) = delete;
    wchar_t** put() noexcept {
        CoTaskMemFree(text_);
        text_ = nullptr;
        return &text_;
    }
    const wchar_t* get() const noexcept { return text_; }

private:
    wchar_t* text_ = nullptr;
};

} // namespace t2k
