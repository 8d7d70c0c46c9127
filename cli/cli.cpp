// tovaro2korvane-cli: the inputs gathered, the command line's host for the batch, exit statuses.
#include "cli/cli.h"

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/name_list.h"
#include "cli/wildcards.h"
#include "convert/batch.h"
#include "convert/file_translation.h"
#include "platform/current_directory.h"
#include "platform/files.h"
#include "platform/io_error.h"
#include "platform/text.h"
#include "product_identity.h"

#include <new>
#include <unordered_map>

namespace t2k {
namespace {

constexpr std::u16string_view program = u"tovaro2korvane-cli";
// How messages name the standard streams.
constexpr std::u16string_view standard_input_name = u"(standard input)";
constexpr std::u16string_view standard_output_name = u"(standard output)";

constexpr std::u16string_view help_text =
    u"Usage: tovaro2korvane-cli [OPTION]... FILE...\n"
    u"       tovaro2korvane-cli [OPTION]... --files-from LIST\n"
    u"       tovaro2korvane-cli [OPTION]... - <IN >OUT\n"
    u"Converts Tovaro files into KORVANE files, one output per input, named after the input\n"
    u"with its first dot and everything after it replaced by the extension.\n"
    u"\n"
    u"  -o, --output-dir=DIR   folder for the outputs (default: the current directory)\n"
    u"  -e, --extension=EXT    extension of the outputs (default: maz)\n"
    u"      --code-page=N      code page of the inputs (default: the system's ANSI code page;\n"
    u"                         1252 where there is none)\n"
    u"      --files-from=LIST  also convert the files named in LIST, one per line (UTF-8;\n"
    u"                         '-' reads the names from standard input)\n"
    u"  -n, --dry-run          read every input and report what would be written, but create,\n"
    u"                         replace and truncate nothing\n"
    u"  -h, --help             show this help (also /? on Windows)\n"
    u"      --version          show the version\n"
    u"\n"
    u"FILE '-' reads one Tovaro file from standard input and writes the KORVANE bytes to\n"
    u"standard output as they are made: nothing is written before the start marker is found,\n"
    u"and a read failure after that is reported and exits with 2, the bytes already written\n"
    u"staying where they went. On Windows, '*' and '?' in a FILE's last part match files, sorted "
    u"by\n"
    u"name, and '/' in a path counts as '\\'.\n"
    u"\n"
    u"Every output written is printed on standard output, messages go to standard error.\n"
    u"An output is written whole under a temporary name and only then takes its name, so a\n"
    u"failure leaves the file it would replace as it was. A symbolic link at an output's name,\n"
    u"and an input of the same run, are never replaced.\n"
    u"\n"
    u"Exit status: 0 all converted, 1 some files skipped (not found, not a regular file, no\n"
    u"start marker, an output that would replace a link or an input) or an output replaced\n"
    u"the output of an earlier input, 2 an input/output failure stopped the batch, 64 bad\n"
    u"usage.\n";

void report(std::u16string_view text) {
    write_text(Stream::err, std::u16string(program) + u": " + std::u16string(text) + u"\n");
}

// The batch's host: results go to stdout, messages to stderr, and it remembers what it was
// converting so that a failure can name it.
class CliHost : public ConversionHost {
public:
    explicit CliHost(const Arguments& args) : args_(args) {}

    // The files to convert; each that exists is kept from being replaced by an output.
    void set_files(std::vector<std::u16string> files) {
        files_ = std::move(files);
        for (const std::u16string& file : files_) {
            if (const auto identity = file_identity(file, Links::followed)) {
                inputs_.try_emplace(*identity, file);
            }
        }
    }
    // Off while standard output carries the converted bytes.
    void list_results(bool on) { list_results_ = on; }
    bool skipped_any() const { return skipped_; }

    // The failure's text, prefixed by the input and output it is about.
    std::u16string describe(const IoError& error) const {
        std::u16string text;
        if (!input_.empty()) {
            text = input_ + (output_.empty() ? u"" : u" -> " + output_) + u": ";
        }
        return text + error.text();
    }

    std::vector<std::u16string> file_list() override { return files_; }
    std::u16string output_folder() override { return args_.output_dir; }
    std::u16string extension() override { return args_.extension; }
    void clear_results() override {}
    void converting(std::u16string_view input, std::u16string_view output) override {
        input_ = input;
        output_ = output;
    }
    void append_result(std::u16string_view line) override {
        note_replaced_output(line);
        if (list_results_) {
            write_text(Stream::out, std::u16string(line) + u"\n");
        }
    }
    bool may_replace(std::u16string_view output, const FileIdentity& existing) override {
        const std::u16string name(output);
        if (is_symbolic_link(name)) {
            return refuse(output, u"is a symbolic link; not replaced");
        }
        if (const auto input = inputs_.find(existing); input != inputs_.end()) {
            return refuse(output,
                          file_identity(input_, Links::followed) == existing
                              ? u"would replace its own input; not replaced"
                              : u"would replace the input " + input->second + u"; not replaced");
        }
        return true;
    }
    void show_message(MessageKind kind, std::u16string_view text,
                      std::u16string_view file) override {
        skipped_ = true;
        // A log has no other way to tell which file a missing marker is about, and the window's
        // "Cannot find" would call a device or a pipe missing.
        std::u16string line;
        switch (kind) {
        case MessageKind::file_not_found:
            line = text;
            break;
        case MessageKind::not_a_disk_file:
            line = std::u16string(file) + u": not a regular file";
            break;
        case MessageKind::marker_missing:
            line = std::u16string(file) + u": " + std::u16string(text);
            break;
        }
        write_text(Stream::err, line + u"\n");
    }

private:
    // Two inputs that give one output name: the later one replaces the earlier's output, as in
    // the window, but a script is told. The same file listed twice replaces nothing of value.
    void note_replaced_output(std::u16string_view output) {
        auto [earlier, added] = outputs_.try_emplace(name_key(output), input_);
        if (added) {
            return;
        }
        if (!same_file(earlier->second, input_)) {
            report(input_ + u" -> " + std::u16string(output) + u": replaces the output of " +
                   earlier->second);
            skipped_ = true;
        }
        earlier->second = input_;
    }

    // Reported on standard error with the input and output it is about; the batch goes on.
    bool refuse(std::u16string_view output, std::u16string_view why) {
        report(input_ + u" -> " + std::u16string(output) + u": " + std::u16string(why));
        skipped_ = true;
        return false;
    }

    struct IdentityHash {
        std::size_t operator()(const FileIdentity& identity) const noexcept {
            return std::hash<std::uint64_t>()(identity.index * 31 + identity.volume);
        }
    };

    std::vector<std::u16string> files_;
    std::unordered_map<FileIdentity, std::u16string, IdentityHash> inputs_; // the first name
    const Arguments& args_;
    bool skipped_ = false;
    bool list_results_ = true;
    std::u16string input_;
    std::u16string output_;
    std::unordered_map<std::u16string, std::u16string> outputs_; // by name_key: the input
};

// The whole of a file (or of standard input), as bytes.
std::string read_all(InputFile file) {
    std::string bytes;
    std::string block(64 * 1024, '\0');
    while (const std::size_t got =
               file.read(reinterpret_cast<std::uint8_t*>(block.data()), block.size())) {
        bytes.append(block, 0, got);
    }
    file.close();
    return bytes;
}

// The files to convert, in the order given: FILE arguments with their wildcards expanded, and the
// names of each list. A list that cannot be read is an IoError naming it.
std::vector<std::u16string> gather_files(const Arguments& args, CliHost& host) {
    std::vector<std::u16string> files;
    for (const InputArgument& input : args.inputs) {
        if (input.kind == InputArgument::Kind::file) {
            for (std::u16string& name : expand_wildcards(input.text)) {
                files.push_back(std::move(name));
            }
            continue;
        }
        const bool from_stdin = input.text == standard_stream;
        host.converting(from_stdin ? standard_input_name : input.text, u"");
        const std::string bytes =
            read_all(from_stdin ? InputFile::standard_input() : InputFile(input.text));
        for (const std::u16string& name : parse_name_list(bytes)) {
            files.push_back(command_line_path(name, PathStyle::native()));
        }
    }
    host.converting(u"", u"");
    return files;
}

ConversionOptions conversion_options(const Arguments& args) {
    return {args.code_page.value_or(CodePage::system()), PathStyle::native(),
            ReadMode::large_blocks, args.dry_run ? WriteMode::none : WriteMode::buffered};
}

bool reads_standard_input(const Arguments& args) {
    return args.inputs.size() == 1 && args.inputs[0].kind == InputArgument::Kind::file &&
           args.inputs[0].text == standard_stream;
}

// Standard input to standard output (FILE "-"), or the batch over every file given.
void convert(const Arguments& args, CliHost& host) {
    const ConversionOptions options = conversion_options(args);
    if (reads_standard_input(args)) {
        host.list_results(args.dry_run);
        translate_stream(InputFile::standard_input(), standard_input_name,
                         OutputFile::standard_output(std::u16string(standard_output_name)), host,
                         options);
        return;
    }
    host.set_files(gather_files(args, host));
    run_batch(host, options);
}

// Runs the conversion; the exit status.
int run_conversion(Arguments& args) {
    if (args.output_dir.empty()) {
        args.output_dir = current_directory();
    }
    CliHost host(args);
    try {
        convert(args, host);
    } catch (const IoError& error) {
        report(host.describe(error));
        return exit_io_failure;
    } catch (const std::bad_alloc&) {
        report(u"Out of memory");
        return exit_io_failure;
    }
    return host.skipped_any() ? exit_skipped : exit_converted;
}

} // namespace

int run_cli(const std::vector<std::u16string>& raw_args) {
    Arguments args;
    try {
        args = parse_arguments(raw_args, PathStyle::native());
    } catch (const UsageError& error) {
        report(error.text);
        write_text(Stream::err, u"Try '" + std::u16string(program) + u" --help' for more.\n");
        return exit_usage;
    }
    if (args.help) {
        write_text(Stream::out, help_text);
        return exit_converted;
    }
    if (args.version) {
        write_text(Stream::out,
                   std::u16string(program) + u" " + std::u16string(identity::version) + u"\n");
        return exit_converted;
    }
    return run_conversion(args);
}

} // namespace t2k
