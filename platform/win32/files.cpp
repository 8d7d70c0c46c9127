// File services on Windows: CreateFileW/ReadFile/WriteFile/CloseHandle, failures by GetLastError;
// outputs written into a temporary file and moved over their name.
#include "platform/files.h"

#include "platform/file_names.h"
#include "platform/io_error.h"
#include "platform/path_style.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace t2k {
namespace {

// The system's own reading of a path: '/' ends a folder part as well.
constexpr PathStyle system_style{u"\\/:", u'\\'};

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

bool is_device(const std::u16string& name) {
    return is_device_name(system_style.file_name_part(name));
}

FileHandle open_file(const std::u16string& name, DWORD access, DWORD share, DWORD disposition) {
    FileHandle file(CreateFileW(checked_name(name), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw IoError(last_error_code());
    }
    return file;
}

void close_file(FileHandle& file) {
    if (!file) {
        return;
    }
    if (!CloseHandle(file.release())) {
        throw IoError(last_error_code());
    }
}

// A handle of our own to a standard stream, so that closing it leaves the process's one open.
FileHandle duplicate_standard_handle(DWORD which) {
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(which), GetCurrentProcess(), &copy, 0,
                         FALSE, DUPLICATE_SAME_ACCESS)) {
        throw IoError(last_error_code());
    }
    return FileHandle(copy);
}

std::optional<FileIdentity> identity_of(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                            information.nFileIndexLow};
}

} // namespace

struct InputFile::Impl {
    FileHandle file;
};

InputFile::InputFile(const std::u16string& name) : impl_(std::make_unique<Impl>()) {
    impl_->file = open_file(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

InputFile::InputFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

InputFile::InputFile(InputFile&&) noexcept = default;

InputFile InputFile::standard_input() {
    auto impl = std::make_unique<Impl>();
    impl->file = duplicate_standard_handle(STD_INPUT_HANDLE);
    return InputFile(std::move(impl));
}

InputFile::~InputFile() = default;

std::size_t InputFile::read(std::uint8_t* buffer, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(impl_->file.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE) {
            return 0; // a broken pipe is the plain end of the data
        }
        throw IoError(last_error_code());
    }
    return got;
}

void InputFile::close() {
    close_file(impl_->file);
}

std::optional<FileIdentity> InputFile::identity() const {
    return identity_of(impl_->file.get());
}

struct OutputFile::Impl {
    FileHandle file;
    std::u16string temporary; // empty once moved, and for standard output
};

namespace {

// A new file beside name; its name is held to the length limit like the output's own.
FileHandle create_temporary(const std::u16string& name, std::u16string& temporary) {
    const std::u16string_view folder = system_style.folder_part(name);
    checked_name(temporary_name(folder, 0));
    TemporaryFile made = create_temporary_file(folder, GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!made.file) {
        throw IoError(last_error_code());
    }
    temporary = std::move(made.name);
    return std::move(made.file);
}

} // namespace

OutputFile::OutputFile(const std::u16string& name) : name_(name), impl_(std::make_unique<Impl>()) {
    probe_output_file(name);
    impl_->file = create_temporary(name, impl_->temporary);
}

OutputFile::OutputFile(std::u16string name, std::unique_ptr<Impl> impl)
    : name_(std::move(name)), impl_(std::move(impl)) {}

OutputFile::OutputFile(OutputFile&&) noexcept = default;

OutputFile OutputFile::standard_output(std::u16string name) {
    auto impl = std::make_unique<Impl>();
    impl->file = duplicate_standard_handle(STD_OUTPUT_HANDLE);
    return OutputFile(std::move(name), std::move(impl));
}

OutputFile::~OutputFile() {
    if (!impl_) {
        return;
    }
    impl_->file.reset();
    if (!impl_->temporary.empty()) {
        DeleteFileW(wide(impl_->temporary));
    }
}

void OutputFile::write(const std::uint8_t* data, std::size_t size) {
    DWORD written = 0;
    if (!WriteFile(impl_->file.get(), data, static_cast<DWORD>(size), &written, nullptr)) {
        throw IoError(last_error_code());
    }
    // Wine reports success with fewer bytes stored on a full disk.
    if (written < size) {
        throw IoError(io_code::disk_full);
    }
}

void OutputFile::commit() {
    close_file(impl_->file);
    if (impl_->temporary.empty()) {
        return;
    }
    // The name itself is replaced: a link there goes, and what it led to stays. A file that is
    // open cannot be replaced; a run beside this one, or a virus scanner, opens it for a moment
    // only, so the move is tried again for a while before the refusal counts.
    for (int attempt = 1; !MoveFileExW(wide(impl_->temporary), wide(name_),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
         ++attempt) {
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 20) {
            SetLastError(error);
            throw IoError(last_error_code());
        }
        Sleep(static_cast<DWORD>(attempt));
    }
    impl_->temporary.clear();
}

FileKind file_kind(const std::u16string& name) {
    // The system would see a name with a NUL inside as the part before it: another file.
    if (name.find(u'\0') != std::u16string::npos) {
        return FileKind::missing;
    }
    // A device's name is the device in every folder; it is not opened to be told apart: opening a
    // port or a console may wait or act.
    if (is_device(name)) {
        return FileKind::other;
    }
    DWORD attributes = GetFileAttributesW(wide(name));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Some files refuse their attributes but can still be found by a directory search; a
        // wildcard must not turn that search into "some file matches".
        if (name.find_first_of(u"*?") != std::u16string::npos) {
            return FileKind::missing;
        }
        WIN32_FIND_DATAW found{};
        const FindHandle search(FindFirstFileW(wide(name), &found));
        if (!search) {
            return FileKind::missing;
        }
        attributes = found.dwFileAttributes;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileKind::missing;
    }
    // Opened for no access, which no other program's sharing refuses and which reads nothing.
    const FileHandle file(CreateFileW(wide(name), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (file && GetFileType(file.get()) != FILE_TYPE_DISK) {
        return FileKind::other;
    }
    return FileKind::disk_file; // one that cannot be opened here fails when it is read
}

bool remove_file(const std::u16string& name) {
    return DeleteFileW(wide(name)) != 0;
}

void probe_output_file(const std::u16string& name) {
    checked_name(name);
    if (is_device(name)) {
        throw IoError(io_code::invalid_filename);
    }
    const DWORD attributes = GetFileAttributesW(wide(name));
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
    // Opened for writing, without replacing it, to find a file the system would not let us write
    // or that a program has open for itself (the sharing violation). Deleting is shared: else
    // this moment's open would stop a run beside this one from moving its output over the file.
    const FileHandle file(CreateFileW(wide(name), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw IoError(last_error_code());
    }
}

std::optional<FileIdentity> file_identity(const std::u16string& name, Links links) {
    if (name.size() > max_name_length || name.find(u'\0') != std::u16string::npos ||
        is_device(name)) {
        return std::nullopt;
    }
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS |
                        (links == Links::not_followed ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const FileHandle file(CreateFileW(wide(name), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, flags, nullptr));
    if (!file) {
        return std::nullopt;
    }
    return identity_of(file.get());
}

bool is_symbolic_link(const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(wide(name));
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
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
