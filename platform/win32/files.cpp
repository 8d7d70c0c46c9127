// File services on Windows: CreateFileW/ReadFile/WriteFile/CloseHandle, failures by GetLastError.
#include "platform/files.h"

#include "platform/io_error.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace t2k {
namespace {

int last_error_code() {
    const DWORD error = GetLastError();
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return io_code::disk_full;
    default:
        return static_cast<int>(error);
    }
}

// Wine accepts longer names than Windows does, so the limit is checked here, before any call.
const wchar_t* checked_name(const std::u16string& name) {
    if (name.size() > max_name_length) {
        throw IoError(io_code::invalid_filename);
    }
    return wide(name);
}

HANDLE open_file(const std::u16string& name, DWORD access, DWORD share, DWORD disposition) {
    HANDLE handle = CreateFileW(checked_name(name), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw IoError(last_error_code());
    }
    return handle;
}

void close_handle(HANDLE& handle) {
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    const BOOL ok = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    if (!ok) {
        throw IoError(last_error_code());
    }
}

} // namespace

struct InputFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

InputFile::InputFile(const std::u16string& name) : impl_(std::make_unique<Impl>()) {
    impl_->handle = open_file(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

InputFile::~InputFile() {
    if (impl_ && impl_->handle != INVALID_HANDLE_VALUE) {
        CloseHandle(impl_->handle);
    }
}

std::size_t InputFile::read(std::uint8_t* buffer, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(impl_->handle, buffer, static_cast<DWORD>(size), &got, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE) {
            return 0; // a broken pipe is the plain end of the data
        }
        throw IoError(last_error_code());
    }
    return got;
}

void InputFile::close() {
    close_handle(impl_->handle);
}

struct OutputFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

OutputFile::OutputFile(const std::u16string& name) : name_(name), impl_(std::make_unique<Impl>()) {
    impl_->handle = open_file(name, GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_ALWAYS);
}

OutputFile::~OutputFile() {
    if (impl_ && impl_->handle != INVALID_HANDLE_VALUE) {
        CloseHandle(impl_->handle);
    }
}

void OutputFile::write(const std::uint8_t* data, std::size_t size) {
    DWORD written = 0;
    if (!WriteFile(impl_->handle, data, static_cast<DWORD>(size), &written, nullptr)) {
        throw IoError(last_error_code());
    }
    // Wine reports success with fewer bytes stored on a full disk.
    if (written < size) {
        throw IoError(io_code::disk_full);
    }
}

void OutputFile::close() {
    close_handle(impl_->handle);
}

bool file_exists(const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(wide(name));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    // Some files refuse their attributes but can still be found by a directory search; a
    // wildcard must not turn that search into "some file matches".
    if (name.find_first_of(u"*?") != std::u16string::npos) {
        return false;
    }
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide(name), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool remove_file(const std::u16string& name) {
    return DeleteFileW(wide(name)) != 0;
}

} // namespace t2k
