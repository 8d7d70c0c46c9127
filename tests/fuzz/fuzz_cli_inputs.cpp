// Fuzz target: the command line's own inputs. The bytes as a --files-from list, held against a
// plain line splitter; and as a Tovaro file read the way standard input is (an open file handed
// to the stream translation), whose output must be the one the file translation gives.
#include "cli/name_list.h"
#include "convert/file_translation.h"
#include "platform/io_error.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace t2k {
namespace {

using fuzz::require;

// The list's names as bytes: LF-split lines without a final CR, blank ones left out.
std::vector<std::string> list_lines(std::string_view in) {
    if (in.substr(0, 3) == "\xEF\xBB\xBF") {
        in.remove_prefix(3);
    }
    std::vector<std::string> lines;
    std::string line;
    const auto finish = [&] {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") != std::string::npos) {
            lines.push_back(line);
        }
        line.clear();
    };
    for (const char c : in) {
        if (c == '\n') {
            finish();
        } else {
            line += c;
        }
    }
    finish();
    return lines;
}

void check_name_list(std::string_view in) {
    const std::vector<std::u16string> names = parse_name_list(in);
    const std::vector<std::string> expected = list_lines(in);
    require(names.size() == expected.size(), "one name for every line that is not blank");
    for (std::size_t i = 0; i < names.size(); ++i) {
        require(to_utf8(names[i]) == expected[i], "a name gives back its line's bytes");
    }
}

struct Folder {
    test::TempDir dir;
    std::u16string input = dir.file(u"in.txt");
    std::u16string file_output = dir.file(u"in.maz");
    std::u16string stream_output = dir.file(u"stream.out");
};

std::optional<std::string> take_output(const std::u16string& name) {
    if (!test::path_exists(name)) {
        return std::nullopt;
    }
    std::string bytes = test::read_bytes(name);
    remove_file(name);
    return bytes;
}

void check_stream(std::string_view in) {
    static Folder folder;
    test::write_bytes(folder.input, in);
    const ConversionOptions options{*CodePage::from_number(1252), PathStyle::native(),
                                    WriteMode::buffered};
    test::RecordingHost file_host;
    test::RecordingHost stream_host;
    try {
        translate_tovaro(folder.input, folder.dir.path(), file_host, options);
        // The stream's output is opened before the input is read, as standard output is.
        OutputFile output(folder.stream_output);
        translate_stream(InputFile(folder.input), u"-", std::move(output), stream_host, options);
    } catch (const IoError&) {
        require(false, "a conversion in a writable folder raises no input/output failure");
    }
    const std::optional<std::string> from_file = take_output(folder.file_output);
    const std::string from_stream = take_output(folder.stream_output).value_or("");
    require(file_host.messages.size() == stream_host.messages.size(),
            "the stream misses the marker exactly when the file does");
    require(from_stream == from_file.value_or(""), "the stream gives the file's bytes");
    require(stream_host.results.size() == (from_file ? 1u : 0u), "a stream output is listed once");
}

} // namespace
} // namespace t2k

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    t2k::check_name_list(in);
    t2k::check_stream(in);
    return 0;
}
