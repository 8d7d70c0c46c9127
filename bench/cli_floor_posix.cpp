// The command line's floor with open/fstat/read/write, as the POSIX file services make them.
#include "bench/cli_floor.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace t2k::bench {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {
        if (fd_ < 0) {
            throw std::runtime_error("cannot open a file");
        }
    }
    ~Fd() { ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output,
                   PageSize pages) {
    const Fd in(::open(input.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (::fstat(in.get(), &st) != 0) {
        throw std::runtime_error("cannot stat the input");
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    const MemoryBlock block(size, pages);
    char* const bytes = block.data();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::read(in.get(), bytes + done, size - done);
        if (n <= 0) {
            throw std::runtime_error("cannot read the input");
        }
        done += static_cast<std::size_t>(n);
    }
    const Fd out(::open(output.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(out.get(), bytes + done, size - done);
        if (n <= 0) {
            throw std::runtime_error("cannot write the output");
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace t2k::bench
