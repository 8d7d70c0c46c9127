// The command line's floor with open/read/write, as the POSIX file services make them.
#include "bench/cli_floor.h"

#include <fcntl.h>
#include <memory>
#include <stdexcept>
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

void run_cli_floor(const std::filesystem::path& input, const std::filesystem::path& output) {
    const Fd in(::open(input.c_str(), O_RDONLY | O_CLOEXEC));
    const Fd out(::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    const std::unique_ptr<char[]> block = std::make_unique_for_overwrite<char[]>(cli_floor_block);
    for (;;) {
        const ssize_t got = ::read(in.get(), block.get(), cli_floor_block);
        if (got < 0) {
            throw std::runtime_error("cannot read the input");
        }
        if (got == 0) {
            return;
        }
        if (::write(out.get(), block.get(), static_cast<std::size_t>(got)) != got) {
            throw std::runtime_error("cannot write the output");
        }
    }
}

} // namespace t2k::bench
