// Fuzz target: one input file through the reader and the whole translation, its output held
// against the framing rules and against the lines an independent splitter finds in the input.
#include "convert/batch.h"
#include "platform/files.h"
#include "platform/io_error.h"
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

constexpr char cr = '\r';
constexpr char lf = '\n';
constexpr char mark = 0x1A;
constexpr char stx_byte = 0x02;
constexpr char etx_byte = 0x03;
constexpr char eot_byte = 0x04;

using fuzz::require;

// The input's lines as raw bytes, split by the line-end and end-of-file-mark rules written out
// plainly over the whole buffer, so that the reader's block-wise state machine has a rival.
std::vector<std::string> split_lines(std::string_view in) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < in.size() && in[i] != mark) {
        std::string line;
        while (i < in.size()) {
            const char c = in[i++];
            if (c == lf || c == mark) {
                break;
            }
            if (c == cr) {
                if (i < in.size() && (in[i] == lf || in[i] == mark)) {
                    ++i;
                    break;
                }
                continue;
            }
            line += c;
        }
        lines.push_back(line);
    }
    return lines;
}

// The lines after the first one holding the marker, skip lines dropped; nullopt without a marker.
std::optional<std::vector<std::string>> payload_lines(const std::vector<std::string>& lines) {
    const std::string marker = "\xAB"
                               "p2";
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find(marker) == std::string::npos) {
        ++i;
    }
    if (i == lines.size()) {
        return std::nullopt;
    }
    std::vector<std::string> payload;
    for (++i; i < lines.size(); ++i) {
        if (lines[i] != "p2") {
            payload.push_back(lines[i]);
        }
    }
    return payload;
}

// What every output must look like, whatever the code page made of the payload's bytes.
void check_framing(std::string_view out) {
    require(!out.empty() && out.back() == eot_byte, "the output ends with EOT");
    require(out.front() == stx_byte || out == std::string_view(&eot_byte, 1),
            "the output starts with STX or is the single byte EOT");
    require(out.find_first_of("\r\n") == std::string_view::npos, "no CR or LF in the output");
}

// Splits the output into its records (STX ... up to the next EOT STX) and turns ETX back.
std::vector<std::string> read_back(std::string_view out) {
    std::vector<std::string> records;
    if (out.size() == 1) {
        return records;
    }
    out.remove_prefix(1);
    out.remove_suffix(1);
    for (;;) {
        const std::size_t next = out.find("\x04\x02");
        std::string record(out.substr(0, next));
        for (char& c : record) {
            if (c == etx_byte) {
                c = '_';
            }
        }
        records.push_back(record);
        if (next == std::string_view::npos) {
            return records;
        }
        out.remove_prefix(next + 2);
    }
}

struct Folder {
    test::TempDir dir;
    std::u16string input = dir.file(u"in.txt");
    std::u16string output = dir.file(u"in.maz");
};

// Converts the input with a code page; the output's bytes, or nullopt when no output was made.
std::optional<std::string> convert(Folder& folder, unsigned code_page, WriteMode mode) {
    test::RecordingHost host;
    host.files = {folder.input};
    host.folder = folder.dir.path();
    const ConversionOptions options{*CodePage::from_number(code_page), PathStyle::native(), mode};
    try {
        run_batch(host, options);
    } catch (const IoError&) {
        require(false, "a conversion in a writable folder raises no input/output failure");
    }
    if (!test::path_exists(folder.output)) {
        require(host.results.empty() && host.messages.size() == 1,
                "no output means the marker message and nothing listed");
        return std::nullopt;
    }
    require(host.messages.empty() && host.results.size() == 1, "an output is listed once");
    std::string out = test::read_bytes(folder.output);
    remove_file(folder.output);
    return out;
}

void check_one_input(std::string_view in) {
    static Folder folder;
    test::write_bytes(folder.input, in);
    const std::optional<std::vector<std::string>> payload = payload_lines(split_lines(in));

    // Windows-1252 gives every byte back as it was: the output is known exactly. Both ways of
    // reading: the window's small blocks put block ends inside the lines, the command line's
    // large ones do not.
    for (const WriteMode mode : {WriteMode::byte_per_write, WriteMode::buffered}) {
        const std::optional<std::string> out = convert(folder, 1252, mode);
        require(out.has_value() == payload.has_value(), "an output exactly when there is a marker");
        if (!out) {
            continue;
        }
        check_framing(*out);
        std::string expected;
        for (std::size_t i = 0; i < payload->size(); ++i) {
            expected += i == 0 ? "\x02" : "\x04\x02";
            for (const char c : (*payload)[i]) {
                expected += c == '_' ? etx_byte : c;
            }
        }
        expected += eot_byte;
        require(*out == expected, "every ETX where an underscore was, every other byte kept");
        bool plain = true;
        for (const std::string& line : *payload) {
            plain = plain && line.find_first_of("\x02\x03\x04") == std::string::npos;
        }
        if (plain) {
            require(read_back(*out) == *payload, "the records read back as the payload lines");
        }
    }

    // Decoded and encoded back, as UTF-8 is, read and written as the command line does: the
    // framing holds all the same.
    if (const std::optional<std::string> utf8 = convert(folder, 65001, WriteMode::buffered)) {
        check_framing(*utf8);
    }

    require(test::read_bytes(folder.input) == in, "the input is never changed");
}

} // namespace
} // namespace t2k

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    t2k::check_one_input(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
