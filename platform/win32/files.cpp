// File services on Windows: CreateFileW/ReadFile/WriteFile/CloseHandle, failures by GetLastError.
#include "platform/files.h"

#include "platform/io_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <optional>
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

// A handle of our own to a standard stream, so that closing it leaves the process's one open.
HANDLE duplicate_standard_handle(DWORD which) {
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(which), GetCurrentProcess(), &copy, 0,
                         FALSE, DUPLICATE_SAME_ACCESS)) {
        throw IoError(last_error_code());
    }
    return copy;
}

} // namespace

struct InputFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

InputFile::InputFile(const std::u16string& name) : impl_(std::make_unique<Impl>()) {
    impl_->handle = open_file(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

InputFile::InputFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

InputFile::InputFile(InputFile&&) noexcept = default;

InputFile InputFile::standard_input() {
    auto impl = std::make_unique<Impl>();
    impl->handle = duplicate_standard_handle(STD_INPUT_HANDLE);
    return InputFile(std::move(impl));
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

OutputFile::OutputFile(std::u16string name, std::unique_ptr<Impl> impl)
    : name_(std::move(name)), impl_(std::move(impl)) {}

OutputFile::OutputFile(OutputFile&&) noexcept = default;

OutputFile OutputFile::standard_output(std::u16string name) {
    auto impl = std::make_unique<Impl>();
    impl->handle = duplicate_standard_handle(STD_OUTPUT_HANDLE);
    return OutputFile(std::move(name), std::move(impl));
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
    // The system would see a name with a NUL inside as the part before it: another file.
    if (name.find(u'\0') != std::u16string::npos) {
        return false;
    }
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

void probe_output_file(const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(checked_name(name));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A missing file is what a missing folder or a bad name is not: only those would fail.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            throw IoError(last_error_code());
        }
        return;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        throw IoError(io_code::access_denied);
    }
    // Opened as the output would be, but without replacing it: an open input refuses this too.
    const FileHandle file(CreateFileW(wide(name), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw IoError(last_error_code());
    }
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> file_information(const std::u16string& name) {
    const FileHandle file(CreateFileW(wide(name), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return information;
}

} // namespace

bool same_file(const std::u16string& a, const std::u16string& b) {
    const auto first = file_information(a);
    const auto second = file_information(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

std::u16string name_key(std::u16string_view name) {
    std::u16string key(name);
    if (!key.empty()) {
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, reinterpret_cast<LPCWSTR>(name.data()),
                     static_cast<int>(name.size()), reinterpret_cast<LPWSTR>(key.data()),
                     static_cast<int>(key.size()));
    }
    return key;
}

} // namespace t2k
