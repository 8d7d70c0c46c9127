// The batch's host for the benchmarks: a fixed file list, the default extension, nothing shown.
#pragma once

#include "convert/conversion_host.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

namespace t2k::bench {

class BenchHost : public ConversionHost {
public:
    BenchHost(const std::vector<std::filesystem::path>& files, const std::filesystem::path& out)
        : output_folder_(out.u16string()) {
        for (const auto& file : files) {
            files_.push_back(file.u16string());
        }
    }

    std::vector<std::u16string> file_list() override { return files_; }
    std::u16string output_folder() override { return output_folder_; }
    std::u16string extension() override { return u"maz"; }
    void clear_results() override {}
    void append_result(std::u16string_view) override {}
    // Every benchmark input exists and has its marker: a message means the run measures nothing.
    void show_message(MessageKind, std::u16string_view, std::u16string_view) override {
        throw std::logic_error("benchmark input was not converted");
    }

private:
    std::vector<std::u16string> files_;
    std::u16string output_folder_;
};

} // namespace t2k::bench
