// The command-line converter's peak memory on big inputs, measured in a child process: at most
// three times the input plus 16 MiB. Nothing here is timed.
#include "tests/support/temp_dir.h"

#include "platform/text.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

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

// Runs the converter on one file into its folder and returns how it ended and its peak RSS.
Peak convert_in_child(const std::u16string& input, const std::u16string& folder,
                      const char* code_page) {
    const std::string in = to_utf8(input);
    const std::string out = to_utf8(folder);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execl(T2K_CLI_PROGRAM, T2K_CLI_PROGRAM, "--code-page", code_page, "-o", out.c_str(),
                in.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return {status, usage.ru_maxrss * 1024L}; // Linux counts in KiB
}

// The marker line and then one byte many times over.
struct BigCase {
    const char* label;
    char fill;
    std::size_t count;
    // 1252 is framed as bytes; UTF-8 (65001) is decoded and encoded back.
    const char* code_page;
};

// Written a piece at a time: the test's own memory is inherited by the child it forks.
std::size_t write_big_input(const std::u16string& path, const BigCase& c) {
    // The marker as the case's code page writes it.
    const std::string marker = std::string(c.code_page) == "65001" ? "\xc2\xabp2\n" : "\xabp2\n";
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << marker;
    const std::string piece(1024 * 1024, c.fill);
    for (std::size_t left = c.count; left > 0;) {
        const std::size_t n = std::min(left, piece.size());
        out.write(piece.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
    EXPECT_TRUE(out.good());
    return marker.size() + c.count;
}

class PeakMemoryTest : public ::testing::TestWithParam<BigCase> {};

TEST_P(PeakMemoryTest, stays_within_three_times_the_input_plus_16_MiB) {
#ifdef T2K_SANITIZED
    GTEST_SKIP() << "the sanitizers' shadow memory and quarantine make peak memory meaningless";
#endif
    test::TempDir dir;
    const auto input = dir.file(u"big.txt");
    const std::size_t size = write_big_input(input, GetParam());
    const long bound = 3L * static_cast<long>(size) + 16L * 1024 * 1024;

    const Peak peak = convert_in_child(input, dir.path(), GetParam().code_page);

    ASSERT_TRUE(WIFEXITED(peak.status) && WEXITSTATUS(peak.status) == 0)
        << "the converter failed, status " << peak.status;
    EXPECT_TRUE(test::path_exists(dir.file(u"big.maz")));
    EXPECT_LE(peak.max_rss_bytes, bound)
        << "peak " << peak.max_rss_bytes / 1024 << " KiB, bound " << bound / 1024 << " KiB";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PeakMemoryTest,
    ::testing::Values(BigCase{"single_line_of_100_MiB", '_', 100 << 20, "1252"},
                      BigCase{"single_line_of_100_MiB_decoded", '_', 100 << 20, "65001"},
                      BigCase{"million_empty_lines", '\n', 1'000'000, "1252"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace t2k
