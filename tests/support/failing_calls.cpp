// Preloaded into a program under test (LD_PRELOAD) to give it the failures a local disk never
// gives: close() of a file in the folder T2K_FAIL_CLOSE_IN fails with EDQUOT, as a network share
// or a quota reports a write error only at close; read() of a file in T2K_FAIL_READ_IN fails with
// EIO once the first block has been read, as a failing disk does partway through a file. The
// calls themselves still happen, so no descriptor leaks.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Whether the descriptor is a file inside the folder the variable names.
bool in_folder_of(int fd, const char* variable) {
    const char* folder = std::getenv(variable);
    if (folder == nullptr || *folder == '\0') {
        return false;
    }
    char resolved[PATH_MAX];
    if (::realpath(folder, resolved) == nullptr) {
        return false;
    }
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return false;
    }
    const std::string prefix = std::string(resolved) + "/";
    return std::string(target, static_cast<std::size_t>(length)).starts_with(prefix);
}

template <typename Function> Function* next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int close(int fd) {
    static auto* const real_close = next<int(int)>("close");
    const bool fail = in_folder_of(fd, "T2K_FAIL_CLOSE_IN");
    const int result = real_close(fd);
    if (fail && result == 0) {
        errno = EDQUOT;
        return -1;
    }
    return result;
}

extern "C" ssize_t read(int fd, void* buffer, size_t size) {
    static auto* const real_read = next<ssize_t(int, void*, size_t)>("read");
    if (::lseek(fd, 0, SEEK_CUR) > 0 && in_folder_of(fd, "T2K_FAIL_READ_IN")) {
        errno = EIO;
        return -1;
    }
    return real_read(fd, buffer, size);
}
