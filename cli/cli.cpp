// tovaro2korvane-cli: argument parsing, the command line's host for the batch, exit statuses.
#include "cli/cli.h"

#include "cli/console.h"
#include "convert/batch.h"
#include "platform/current_directory.h"
#include "platform/io_error.h"
#include "platform/text.h"

#include <new>
#include <optional>

namespace t2k {
namespace {

constexpr std::u16string_view program = u"tovaro2korvane-cli";

constexpr std::u16string_view help_text =
    u"Usage: tovaro2korvane-cli [-o DIR] [-e EXT] [--code-page N] FILE...\n"
    u"Converts Tovaro files into KORVANE files, one output per input, named after the input\n"
    u"with its first dot and everything after it replaced by the extension.\n"
    u"\n"
    u"  -o, --output-dir DIR   folder for the outputs (default: the current directory)\n"
    u"  -e, --extension EXT    extension of the outputs (default: maz)\n"
    u"      --code-page N      code page of the inputs (default: the system's ANSI code page;\n"
    u"                         1252 where there is none)\n"
    u"  -h, --help             show this help\n"
    u"      --version          show the version\n"
    u"\n"
    u"Every output written is printed on standard output. Exit status: 0 all converted,\n"
    u"1 some files skipped (not found, no start marker), 2 an input/output failure stopped\n"
    u"the batch, 64 bad usage.\n";

struct Arguments {
    std::u16string output_dir;
    std::u16string extension;
    std::optional<CodePage> code_page;
    std::vector<std::u16string> files;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::u16string text;
};

std::optional<unsigned> parse_number(std::u16string_view text) {
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value > 0 && value <= 65535 ? std::optional<unsigned>(value) : std::nullopt;
}

// Matches "-x VALUE", "--long VALUE" and "--long=VALUE"; advances i past what it took.
std::optional<std::u16string> option_value(const std::vector<std::u16string>& args, std::size_t& i,
                                           std::u16string_view short_name,
                                           std::u16string_view long_name) {
    const std::u16string& arg = args[i];
    if (arg == short_name || arg == long_name) {
        if (i + 1 >= args.size()) {
            throw UsageError{u"option '" + arg + u"' needs a value"};
        }
        return args[++i];
    }
    const std::u16string prefix = std::u16string(long_name) + u"=";
    if (arg.starts_with(prefix)) {
        return arg.substr(prefix.size());
    }
    return std::nullopt;
}

Arguments parse_arguments(const std::vector<std::u16string>& args) {
    Arguments parsed;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        if (options_ended || arg.empty() || arg[0] != u'-' || arg == u"-") {
            parsed.files.push_back(arg);
        } else if (arg == u"--") {
            options_ended = true;
        } else if (arg == u"-h" || arg == u"--help") {
            parsed.help = true;
        } else if (arg == u"--version") {
            parsed.version = true;
        } else if (auto dir = option_value(args, i, u"-o", u"--output-dir")) {
            parsed.output_dir = *dir;
        } else if (auto ext = option_value(args, i, u"-e", u"--extension")) {
            parsed.extension = *ext;
        } else if (auto number = option_value(args, i, u"", u"--code-page")) {
            const auto value = parse_number(*number);
            parsed.code_page = value ? CodePage::from_number(*value) : std::nullopt;
            if (!parsed.code_page) {
                throw UsageError{u"code page '" + *number + u"' is not available"};
            }
        } else {
            throw UsageError{u"unknown option '" + arg + u"'"};
        }
    }
    if (!parsed.help && !parsed.version && parsed.files.empty()) {
        throw UsageError{u"no input files"};
    }
    return parsed;
}

// The batch's host: the arguments are the list, results go to stdout, messages to stderr.
class CliHost : public ConversionHost {
public:
    explicit CliHost(const Arguments& args) : args_(args) {}

    bool skipped_any() const { return skipped_; }

    std::vector<std::u16string> file_list() override { return args_.files; }
    std::u16string output_folder() override { return args_.output_dir; }
    std::u16string extension() override { return args_.extension; }
    void clear_results() override {}
    void append_result(std::u16string_view line) override {
        write_text(Stream::out, std::u16string(line) + u"\n");
    }
    void show_message(MessageKind kind, std::u16string_view text,
                      std::u16string_view file) override {
        skipped_ = true;
        // A log has no other way to tell which file a missing marker is about.
        const std::u16string prefix =
            kind == MessageKind::marker_missing ? std::u16string(file) + u": " : u"";
        write_text(Stream::err, prefix + std::u16string(text) + u"\n");
    }

private:
    const Arguments& args_;
    bool skipped_ = false;
};

void report_failure(std::u16string_view text) {
    write_text(Stream::err, std::u16string(program) + u": " + std::u16string(text) + u"\n");
}

} // namespace

int run_cli(const std::vector<std::u16string>& raw_args) {
    Arguments args;
    try {
        args = parse_arguments(raw_args);
    } catch (const UsageError& error) {
        report_failure(error.text);
        write_text(Stream::err, u"Try '" + std::u16string(program) + u" --help' for more.\n");
        return exit_usage;
    }
    if (args.help) {
        write_text(Stream::out, help_text);
        return exit_converted;
    }
    if (args.version) {
        write_text(Stream::out, std::u16string(program) + u" 1.0.0\n");
        return exit_converted;
    }
    if (args.output_dir.empty()) {
        args.output_dir = current_directory();
    }
    CliHost host(args);
    const ConversionOptions options{args.code_page.value_or(CodePage::system()),
                                    PathStyle::native(), ReadMode::large_blocks,
                                    WriteMode::buffered};
    try {
        run_batch(host, options);
    } catch (const IoError& error) {
        report_failure(error.text());
        return exit_io_failure;
    } catch (const std::bad_alloc&) {
        report_failure(u"Out of memory");
        return exit_io_failure;
    }
    return host.skipped_any() ? exit_skipped : exit_converted;
}

} // namespace t2k
