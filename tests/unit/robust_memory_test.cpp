// The command-line converter's peak memory on big inputs, measured in a child process: lines
// framed as bytes stream through in a constant 16 MiB, whatever the file's size and its lines'
// lengths; decoded lines are held one at a time (three times the longest). Nothing here is timed.
#include "tests/support/temp_dir.h"

#include "platform/text.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define T2K_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define T2K_SANITIZED 1
#endif
#endif

namespace t2k {
namespace {

struct Peak {
    int status;
    long max_rss_bytes;
};

// How the child runs: its arguments after the program's name, what becomes its standard input
// and output (nothing: /dev/null), and the most address space it may take (nothing: no limit).
struct Child {
    std::vector<std::string> args;
    std::optional<std::string> stdin_file;
    std::optional<std::string> stdout_file;
    std::optional<rlim_t> address_space;
};

// Runs the converter and returns how it ended and its peak RSS.
Peak run_child(const Child& c) {
    std::vector<char*> argv{const_cast<char*>(T2K_CLI_PROGRAM)};
    for (const std::string& arg : c.args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    // The child's peak counts the pages it shares with this process until it runs the converter:
    // the heap that earlier tests freed is handed back first.
    ::malloc_trim(0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open(c.stdin_file ? c.stdin_file->c_str() : "/dev/null", O_RDONLY);
        const int out = c.stdout_file
                            ? ::open(c.stdout_file->c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                            : ::open("/dev/null", O_WRONLY);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        if (c.address_space) {
            const rlimit limit{*c.address_space, *c.address_space};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execv(T2K_CLI_PROGRAM, argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return {status, usage.ru_maxrss * 1024L}; // Linux counts in KiB
}

// Runs the converter on one file into its folder.
Peak convert_in_child(const std::u16string& input, const std::u16string& folder,
                      const char* code_page) {
    return run_child({{"--code-page", code_page, "-o", to_utf8(folder), to_utf8(input)},
                      std::nullopt,
                      std::nullopt,
                      std::nullopt});
}

// The marker line and then a pattern many times over (its size divides 1 MiB).
struct BigCase {
    const char* label;
    std::string_view pattern;
    std::size_t count;
    // 1252 is framed as bytes; UTF-8 (65001) is decoded and encoded back.
    const char* code_page;
    // The bound in tenths of the input's size, 16 MiB added: none for lines framed as bytes.
    long tenths_of_input;
};

// Written a piece at a time: the test's own memory is inherited by the child it forks.
std::size_t write_big_input(const std::u16string& path, const BigCase& c) {
    // The marker as the case's code page writes it.
    const std::string marker = std::string(c.code_page) == "65001" ? "\xc2\xabp2\n" : "\xabp2\n";
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << marker;
    std::string piece;
    while (piece.size() < 1024 * 1024) {
        piece += c.pattern;
    }
    for (std::size_t left = c.count; left > 0;) {
        const std::size_t n = std::min(left, piece.size());
        out.write(piece.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
    EXPECT_TRUE(out.good());
    return marker.size() + c.count;
}

class PeakMemoryTest : public ::testing::TestWithParam<BigCase> {};

TEST_P(PeakMemoryTest, stays_within_its_multiple_of_the_input_plus_16_MiB) {
#ifdef T2K_SANITIZED
    GTEST_SKIP() << "the sanitizers' shadow memory and quarantine make peak memory meaningless";
#endif
    test::TempDir dir;
    const auto input = dir.file(u"big.txt");
    const std::size_t size = write_big_input(input, GetParam());
    const long bound =
        GetParam().tenths_of_input * static_cast<long>(size) / 10 + 16L * 1024 * 1024;

    const Peak peak = convert_in_child(input, dir.path(), GetParam().code_page);

    ASSERT_TRUE(WIFEXITED(peak.status) && WEXITSTATUS(peak.status) == 0)
        << "the converter failed, status " << peak.status;
    EXPECT_TRUE(test::path_exists(dir.file(u"big.maz")));
    EXPECT_LE(peak.max_rss_bytes, bound)
        << "peak " << peak.max_rss_bytes / 1024 << " KiB, bound " << bound / 1024 << " KiB";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PeakMemoryTest,
    ::testing::Values(BigCase{"single_line_of_100_MiB", "_", 100 << 20, "1252", 0},
                      BigCase{"single_line_of_100_MiB_decoded", "_", 100 << 20, "65001", 30},
                      BigCase{"million_empty_lines", "\n", 1'000'000, "1252", 0},
                      BigCase{"program_lines_of_100_MiB", "G1 X12.5_Y-3.2\r\n", 100 << 20, "1252",
                              0}),
    [](const auto& info) { return std::string(info.param.label); });

// A file of 1 GiB and more under an address-space limit of 256 MiB, which holding it would exceed
// four times over: one line of 1 GiB (a hole in a sparse file, so it is made at once), then a
// record and a skip line. Written into a file, to standard output, and read through by a dry run.
struct LimitCase {
    const char* label;
    bool from_stdin;
    bool dry_run;
};

class AddressSpaceLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(AddressSpaceLimitTest, converts_a_file_of_1_GiB_in_256_MiB) {
#ifdef T2K_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve far more address space than the limit";
#endif
    constexpr std::uint64_t hole = std::uint64_t{1} << 30;
    const std::string head = "\xabp2\r\n";
    const std::string tail = "\r\nA_\r\np2\r\n";
    test::TempDir dir;
    const std::string input = to_utf8(dir.file(u"big.txt"));
    {
        const int fd = ::open(input.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const auto end = static_cast<off_t>(head.size() + hole);
        ASSERT_EQ(::write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), end), static_cast<ssize_t>(tail.size()));
        ::close(fd);
    }
    const std::string output = to_utf8(dir.file(u"big.maz"));
    const LimitCase& c = GetParam();
    Child child{{"-o", to_utf8(dir.path())}, std::nullopt, std::nullopt, rlim_t{256} << 20};
    if (c.dry_run) {
        child.args.push_back("--dry-run");
    }
    if (c.from_stdin) {
        child.args.push_back("-");
        child.stdin_file = input;
        child.stdout_file = output;
    } else {
        child.args.push_back(input);
    }

    const Peak peak = run_child(child);
    std::filesystem::remove(input);

    ASSERT_TRUE(WIFEXITED(peak.status) && WEXITSTATUS(peak.status) == 0)
        << "the converter failed, status " << peak.status;
    EXPECT_LE(peak.max_rss_bytes, 16L << 20) << "peak " << peak.max_rss_bytes / 1024 << " KiB";
    if (c.dry_run) {
        EXPECT_FALSE(test::path_exists(dir.file(u"big.maz")));
        return;
    }
    // STX, the line of NULs, the record A_ and the closing EOT; the skip line left out.
    const std::string end = "\x04\x02"
                            "A\x03\x04";
    std::ifstream written(output, std::ios::binary | std::ios::ate);
    ASSERT_EQ(static_cast<std::uint64_t>(written.tellg()), 1 + hole + end.size());
    std::string last(end.size(), '\0');
    written.seekg(-static_cast<std::streamoff>(end.size()), std::ios::end);
    written.read(last.data(), static_cast<std::streamsize>(last.size()));
    EXPECT_EQ(last, end);
    written.close();
    std::filesystem::remove(output);
}

INSTANTIATE_TEST_SUITE_P(Modes, AddressSpaceLimitTest,
                         ::testing::Values(LimitCase{"file", false, false},
                                           LimitCase{"standard_streams", true, false},
                                           LimitCase{"dry_run", false, true}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace t2k
