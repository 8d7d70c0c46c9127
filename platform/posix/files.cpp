// File services on POSIX: open/read/write/close with errno mapped to the failure table; outputs
// written into a temporary file and renamed over their name.
//
// Codes: ENOENT on input 2 (3 when the folder is missing), ENOENT/ENOTDIR/ENAMETOOLONG on output 3,
// EMFILE/ENFILE 4, EACCES/EPERM/EROFS/EISDIR 5, ENOSPC/EDQUOT and short writes 101; any other
// errno e carries the code 1000 + e and is shown as "I/O error <code>".
#include "platform/files.h"

#include "platform/file_names.h"
#include "platform/io_error.h"
#include "platform/text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace t2k {
namespace {

constexpr int other_errno_base = 1000;

int code_from_errno(int e) {
    switch (e) {
    case ENOENT:
        return io_code::file_not_found;
    case ENOTDIR:
    case ENAMETOOLONG:
        return io_code::invalid_filename;
    case EMFILE:
    case ENFILE:
        return io_code::too_many_open_files;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return io_code::access_denied;
    case ENOSPC:
    case EDQUOT:
        return io_code::disk_full;
    default:
        return other_errno_base + e;
    }
}

// Creating or replacing an output: a missing folder is a bad name, not a missing file.
int output_code_from_errno(int e) {
    return e == ENOENT ? io_code::invalid_filename : code_from_errno(e);
}

std::string native_name(const std::u16string& name) {
    if (name.size() > max_name_length) {
        throw IoError(io_code::invalid_filename);
    }
    return to_utf8(name);
}

// The folder a name is in, as the system is asked about it.
std::string folder_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool folder_of_exists(const std::string& path) {
    struct stat st {};
    return ::stat(folder_of(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void close_fd(int& fd) {
    if (fd < 0) {
        return;
    }
    const int result = ::close(fd);
    fd = -1;
    if (result != 0 && errno != EINTR) {
        throw IoError(code_from_errno(errno));
    }
}

FileIdentity identity_of(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

} // namespace

struct InputFile::Impl {
    int fd = -1;
};

InputFile::InputFile(const std::u16string& name) : impl_(std::make_unique<Impl>()) {
    const std::string path = native_name(name);
    impl_->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (impl_->fd < 0) {
        const int e = errno;
        throw IoError(e == ENOENT && !folder_of_exists(path) ? io_code::invalid_filename
                                                             : code_from_errno(e));
    }
}

InputFile::InputFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

InputFile::InputFile(InputFile&&) noexcept = default;

InputFile InputFile::standard_input() {
    auto impl = std::make_unique<Impl>();
    impl->fd = ::dup(STDIN_FILENO);
    if (impl->fd < 0) {
        throw IoError(code_from_errno(errno));
    }
    return InputFile(std::move(impl));
}

InputFile::~InputFile() {
    if (impl_ && impl_->fd >= 0) {
        ::close(impl_->fd);
    }
}

std::size_t InputFile::read(std::uint8_t* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(impl_->fd, buffer, size);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno == EPIPE) {
            return 0; // a broken pipe is the plain end of the data
        }
        if (errno != EINTR) {
            throw IoError(code_from_errno(errno));
        }
    }
}

void InputFile::close() {
    close_fd(impl_->fd);
}

std::optional<FileIdentity> InputFile::identity() const {
    struct stat st {};
    if (::fstat(impl_->fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return identity_of(st);
}

struct OutputFile::Impl {
    int fd = -1;
    std::string temporary; // empty once renamed, and for standard output
};

namespace {

// A number no other run can foresee. One system call: a std::random_device made for every output
// asked the processor for its features each time, which a virtual machine traps, and that was a
// sixth of the time of a batch of small files.
std::uint32_t random_nonce() {
    std::uint32_t nonce = 0;
    if (::getrandom(&nonce, sizeof nonce, 0) != static_cast<ssize_t>(sizeof nonce)) {
        throw IoError(output_code_from_errno(errno));
    }
    return nonce;
}

// A new file beside path, made exclusively and never through a link: O_EXCL refuses any name
// that exists, another run's temporary file included, and then another name is tried.
int create_temporary(const std::string& path, std::string& temporary) {
    const auto slash = path.find_last_of('/');
    const std::u16string folder = slash == std::string::npos
                                      ? std::u16string()
                                      : from_utf8(std::string_view(path).substr(0, slash + 1));
    for (int attempt = 1;; ++attempt) {
        temporary = to_utf8(temporary_name(folder, random_nonce()));
        const int fd =
            ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST || attempt == 100) {
            const int e = errno;
            temporary.clear();
            throw IoError(output_code_from_errno(e));
        }
    }
}

} // namespace

OutputFile::OutputFile(const std::u16string& name) : name_(name), impl_(std::make_unique<Impl>()) {
    probe_output_file(name);
    impl_->fd = create_temporary(native_name(name), impl_->temporary);
}

OutputFile::OutputFile(std::u16string name, std::unique_ptr<Impl> impl)
    : name_(std::move(name)), impl_(std::move(impl)) {}

OutputFile::OutputFile(OutputFile&&) noexcept = default;

OutputFile OutputFile::standard_output(std::u16string name) {
    auto impl = std::make_unique<Impl>();
    impl->fd = ::dup(STDOUT_FILENO);
    if (impl->fd < 0) {
        throw IoError(code_from_errno(errno));
    }
    return OutputFile(std::move(name), std::move(impl));
}

OutputFile::~OutputFile() {
    if (!impl_) {
        return;
    }
    if (impl_->fd >= 0) {
        ::close(impl_->fd);
    }
    if (!impl_->temporary.empty()) {
        ::unlink(impl_->temporary.c_str());
    }
}

void OutputFile::write(const std::uint8_t* data, std::size_t size) {
    ssize_t n;
    do {
        n = ::write(impl_->fd, data, size);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        throw IoError(code_from_errno(errno));
    }
    if (static_cast<std::size_t>(n) < size) {
        throw IoError(io_code::disk_full);
    }
}

void OutputFile::commit() {
    close_fd(impl_->fd);
    if (impl_->temporary.empty()) {
        return;
    }
    // rename() replaces the name itself: a link there goes, and what it led to stays.
    if (::rename(impl_->temporary.c_str(), to_utf8(name_).c_str()) != 0) {
        throw IoError(output_code_from_errno(errno));
    }
    impl_->temporary.clear();
}

FileKind file_kind(const std::u16string& name) {
    // The system would see a name with a NUL inside as the part before it: another file.
    if (name.find(u'\0') != std::u16string::npos) {
        return FileKind::missing;
    }
    struct stat st {};
    if (::stat(to_utf8(name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return FileKind::missing;
    }
    return S_ISREG(st.st_mode) ? FileKind::disk_file : FileKind::other;
}

bool remove_file(const std::u16string& name) {
    return ::unlink(to_utf8(name).c_str()) == 0;
}

void probe_output_file(const std::u16string& name) {
    const std::string path = native_name(name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            throw IoError(io_code::access_denied);
        }
        // A file that may not be written is not replaced either, as opening it would refuse.
        if (S_ISREG(st.st_mode) && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
            throw IoError(code_from_errno(errno));
        }
    } else if (const int e = errno; e != ENOENT || !folder_of_exists(path)) {
        throw IoError(output_code_from_errno(e));
    }
    // The temporary file is made in the folder and renamed there.
    if (::faccessat(AT_FDCWD, folder_of(path).c_str(), W_OK, AT_EACCESS) != 0) {
        throw IoError(code_from_errno(errno));
    }
}

std::optional<FileIdentity> file_identity(const std::u16string& name, Links links) {
    if (name.size() > max_name_length || name.find(u'\0') != std::u16string::npos) {
        return std::nullopt;
    }
    struct stat st {};
    const std::string path = to_utf8(name);
    const int result =
        links == Links::followed ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    if (result != 0) {
        return std::nullopt;
    }
    return identity_of(st);
}

bool is_symbolic_link(const std::u16string& name) {
    struct stat st {};
    return ::lstat(to_utf8(name).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::u16string name_key(std::u16string_view name) {
    return std::u16string(name);
}

} // namespace t2k
