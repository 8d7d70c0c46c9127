// Move-only owners for the Win32 handles, GDI objects and COM pointers the toolkit holds.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace t2k {

// Owns one handle and frees it with Free; copying is deleted so no handle is freed twice.
template <class Handle, auto Free, Handle Empty = Handle{}> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Empty; }
    Handle release() noexcept { return std::exchange(handle_, Empty); }
    void reset(Handle handle = Empty) noexcept {
        if (handle_ != Empty) {
            Free(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Empty;
};

namespace handle_free {
inline void close_handle(HANDLE h) {
    CloseHandle(h);
}
inline void delete_object(HGDIOBJ h) {
    DeleteObject(h);
}
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
} // namespace handle_free

using KernelHandle = UniqueHandle<HANDLE, handle_free::close_handle>;
using WindowHandle = UniqueHandle<HWND, handle_free::destroy_window>;
using HookHandle = UniqueHandle<HHOOK, handle_free::unhook>;
using MemoryDc = UniqueHandle<HDC, handle_free::delete_dc>;
using IconHandle = UniqueHandle<HICON, handle_free::destroy_icon>;
template <class Object> using GdiObject = UniqueHandle<Object, handle_free::delete_object>;

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
