// File services on POSIX: open/read/write/close with errno mapped to the failure table.
//
// Codes: ENOENT on input 2 (3 when the folder is missing), ENOENT/ENOTDIR/ENAMETOOLONG on output 3,
// EMFILE/ENFILE 4, EACCES/EPERM/EROFS/EISDIR 5, ENOSPC/EDQUOT and short writes 101; any other
// errno e carries the code 1000 + e and is shown as "I/O error <code>".
#include "platform/files.h"

#include "platform/io_error.h"
#include "platform/text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

std::string native_name(const std::u16string& name) {
    if (name.size() > max_name_length) {
        throw IoError(io_code::invalid_filename);
    }
    return to_utf8(name);
}

bool folder_of_exists(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return true;
    }
    struct stat st {};
    return ::stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

// The input of a conversion holds a shared lock; an output that finds the file locked is that
// input (or another reader's) and must not truncate it: the sharing violation of Windows.
bool is_open_as_input(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK;
    }
    ::flock(fd, LOCK_UN);
    return false;
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
    // Advisory only: it marks the file as an open input for the output guard.
    ::flock(impl_->fd, LOCK_SH | LOCK_NB);
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

struct OutputFile::Impl {
    int fd = -1;
};

OutputFile::OutputFile(const std::u16string& name) : name_(name), impl_(std::make_unique<Impl>()) {
    const std::string path = native_name(name);
    // Not O_TRUNC: the guard below must look before anything is cut.
    impl_->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (impl_->fd < 0) {
        const int e = errno;
        throw IoError(e == ENOENT ? io_code::invalid_filename : code_from_errno(e));
    }
    if (is_open_as_input(impl_->fd)) {
        ::close(impl_->fd);
        impl_->fd = -1;
        throw IoError(io_code::sharing_violation);
    }
    // Only a regular file is cut, as O_TRUNC does: a device such as /dev/full has no length.
    struct stat st {};
    if (::fstat(impl_->fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(impl_->fd, 0) != 0) {
        const int e = errno;
        ::close(impl_->fd);
        impl_->fd = -1;
        throw IoError(code_from_errno(e));
    }
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
    if (impl_ && impl_->fd >= 0) {
        ::close(impl_->fd);
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

void OutputFile::close() {
    close_fd(impl_->fd);
}

bool file_exists(const std::u16string& name) {
    // The system would see a name with a NUL inside as the part before it: another file.
    if (name.find(u'\0') != std::u16string::npos) {
        return false;
    }
    struct stat st {};
    return ::stat(to_utf8(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool remove_file(const std::u16string& name) {
    return ::unlink(to_utf8(name).c_str()) == 0;
}

namespace {

// A regular file that exists: may it be opened for writing, and is it no open input? Nothing is
// cut or changed. Devices and pipes are not opened: opening one may itself do something.
void probe_existing_output(const std::string& path, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) {
        throw IoError(io_code::access_denied);
    }
    if (!S_ISREG(st.st_mode)) {
        return;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        throw IoError(code_from_errno(errno));
    }
    const bool is_input = is_open_as_input(fd);
    ::close(fd);
    if (is_input) {
        throw IoError(io_code::sharing_violation);
    }
}

} // namespace

void probe_output_file(const std::u16string& name) {
    const std::string path = native_name(name);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        probe_existing_output(path, st);
        return;
    }
    const int e = errno;
    if (e != ENOENT || !folder_of_exists(path)) {
        throw IoError(e == ENOENT ? io_code::invalid_filename : code_from_errno(e));
    }
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    if (::access(folder.c_str(), W_OK) != 0) {
        throw IoError(code_from_errno(errno));
    }
}

bool same_file(const std::u16string& a, const std::u16string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(to_utf8(a).c_str(), &first) == 0 && ::stat(to_utf8(b).c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::u16string name_key(std::u16string_view name) {
    return std::u16string(name);
}

} // namespace t2k
