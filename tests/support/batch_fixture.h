// Test support: the fixture of the batch and fault tests — a fresh folder, a recording host and
// the window's options, input files written into the folder, and a run that returns the failure.
#pragma once

#include "convert/batch.h"
#include "platform/code_page.h"
#include "platform/io_error.h"
#include "platform/path_style.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tovaro_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace t2k::test {

class BatchFixture : public ::testing::Test {
protected:
    ConversionOptions options{*CodePage::from_number(1252), PathStyle::native(),
                              ReadMode::small_blocks, WriteMode::byte_per_write};
    TempDir dir;
    RecordingHost host;

    // A file of these bytes at path; its path.
    std::u16string input_at(const std::u16string& path, const std::string& bytes = good_input) {
        write_bytes(path, bytes);
        return path;
    }
    // The same in the test's folder.
    std::u16string input(std::u16string_view name, const std::string& bytes = good_input) {
        return input_at(dir.file(name), bytes);
    }

    // Runs the batch and returns the failure's code and text, or 0 and "" when none.
    template <typename Host> std::pair<int, std::u16string> run(Host& h) {
        try {
            run_batch(h, options);
        } catch (const IoError& error) {
            return {error.code(), error.text()};
        }
        return {0, u""};
    }
    std::pair<int, std::u16string> run() { return run(host); }
};

} // namespace t2k::test
