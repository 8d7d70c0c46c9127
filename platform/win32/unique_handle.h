// The one move-only owner of every Win32 handle: a traits type names the empty value and the close
// call, so handles whose "none" is INVALID_HANDLE_VALUE fit as well as those whose "none" is null.
#pragma once

#include <windows.h>

#include <utility>

namespace t2k {

// Traits: `using Handle = ...; static Handle empty() noexcept; static void close(Handle) noexcept;`
template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
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
    explicit operator bool() const noexcept { return handle_ != Traits::empty(); }
    Handle release() noexcept { return std::exchange(handle_, Traits::empty()); }
    void reset(Handle handle = Traits::empty()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::empty()) {
            Traits::close(old);
        }
    }

private:
    Handle handle_ = Traits::empty();
};

namespace handle_traits {

// A kernel object whose "none" is null (events, mutexes, threads, processes).
struct KernelObject {
    using Handle = HANDLE;
    static Handle empty() noexcept { return nullptr; }
    static void close(Handle handle) noexcept { CloseHandle(handle); }
};

// A file, whose "none" is INVALID_HANDLE_VALUE as CreateFileW returns it.
struct File {
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) noexcept { CloseHandle(handle); }
};

// A directory search from FindFirstFileW / FindFirstFileExW.
struct FindSearch {
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) noexcept { FindClose(handle); }
};

// A DLL loaded by LoadLibraryExW.
struct Library {
    using Handle = HMODULE;
    static Handle empty() noexcept { return nullptr; }
    static void close(Handle handle) noexcept { FreeLibrary(handle); }
};

// A window's DC from GetDC: released to the window it came from, so the window travels with it.
struct WindowDcHandle {
    HWND window = nullptr;
    HDC dc = nullptr;
    // Only the DC says whether one is held: a failed GetDC leaves nothing to release.
    bool operator==(const WindowDcHandle& other) const noexcept { return dc == other.dc; }
};
struct WindowDc {
    using Handle = WindowDcHandle;
    static Handle empty() noexcept { return {}; }
    static void close(Handle handle) noexcept { ReleaseDC(handle.window, handle.dc); }
};

} // namespace handle_traits

using KernelHandle = UniqueHandle<handle_traits::KernelObject>;
using FileHandle = UniqueHandle<handle_traits::File>;
using FindHandle = UniqueHandle<handle_traits::FindSearch>;
using LibraryHandle = UniqueHandle<handle_traits::Library>;
using WindowDc = UniqueHandle<handle_traits::WindowDc>;

// The window's DC (the screen's for a null window), released on every path.
inline WindowDc window_dc(HWND window) {
    return WindowDc({window, GetDC(window)});
}

} // namespace t2k
