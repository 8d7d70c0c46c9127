// Parsing the command line as getopt does: "-x VALUE", "-xVALUE", clustered flags ("-nh"),
// "--long VALUE", "--long=VALUE", "--" ending the options, and "-" as a FILE.
#include "cli/arguments.h"

#include <algorithm>

namespace t2k {
namespace {

bool uses_slash_as_delimiter(const PathStyle& style) {
    return style.delimiters.find(u'/') != std::u16string_view::npos;
}

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

// The options, each with its short letter (none: 0) and whether it takes a value.
enum class Option { output_dir, extension, code_page, files_from, dry_run, help, version };

struct OptionName {
    Option option;
    char16_t short_name;
    std::u16string_view long_name;
    bool takes_value;
};

constexpr OptionName options[] = {
    {Option::output_dir, u'o', u"output-dir", true}, {Option::extension, u'e', u"extension", true},
    {Option::code_page, 0, u"code-page", true},      {Option::files_from, 0, u"files-from", true},
    {Option::dry_run, u'n', u"dry-run", false},      {Option::help, u'h', u"help", false},
    {Option::version, 0, u"version", false},
};

const OptionName* find_short(char16_t letter) {
    const auto* found = std::find_if(std::begin(options), std::end(options),
                                     [&](const OptionName& o) { return o.short_name == letter; });
    return found == std::end(options) ? nullptr : found;
}

const OptionName* find_long(std::u16string_view name) {
    const auto* found = std::find_if(std::begin(options), std::end(options),
                                     [&](const OptionName& o) { return o.long_name == name; });
    return found == std::end(options) ? nullptr : found;
}

class Parser {
public:
    Parser(const std::vector<std::u16string>& args, const PathStyle& style)
        : args_(args), style_(style) {}

    Arguments parse() {
        bool options_ended = false;
        for (next_ = 0; next_ < args_.size();) {
            const std::u16string& arg = args_[next_++];
            if (options_ended || arg.size() < 2 || arg[0] != u'-') {
                if (!options_ended && arg == u"/?" && !uses_slash_as_delimiter(style_)) {
                    parsed_.help = true;
                } else {
                    add_input(InputArgument::Kind::file, arg);
                }
            } else if (arg == u"--") {
                options_ended = true;
            } else if (arg[1] == u'-') {
                parse_long(std::u16string_view(arg).substr(2));
            } else {
                parse_short_cluster(std::u16string_view(arg).substr(1));
            }
        }
        check_inputs();
        return parsed_;
    }

private:
    void parse_long(std::u16string_view body) {
        const auto equals = body.find(u'=');
        const std::u16string_view name = body.substr(0, equals);
        const OptionName* option = find_long(name);
        if (option == nullptr) {
            throw UsageError{u"unknown option '--" + std::u16string(name) + u"'"};
        }
        if (!option->takes_value) {
            if (equals != std::u16string_view::npos) {
                throw UsageError{u"option '--" + std::u16string(name) + u"' takes no value"};
            }
            apply(*option, u"");
        } else if (equals != std::u16string_view::npos) {
            apply(*option, body.substr(equals + 1));
        } else {
            apply(*option, take_value(u"--" + std::u16string(name)));
        }
    }

    // "-nh", "-oDIR", "-no DIR": flags until a letter that takes a value, which takes the rest.
    void parse_short_cluster(std::u16string_view letters) {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const OptionName* option = find_short(letters[i]);
            if (option == nullptr) {
                throw UsageError{u"unknown option '-" + std::u16string(1, letters[i]) + u"'"};
            }
            if (!option->takes_value) {
                apply(*option, u"");
                continue;
            }
            const std::u16string_view rest = letters.substr(i + 1);
            apply(*option, rest.empty() ? take_value(u"-" + std::u16string(1, letters[i])) : rest);
            return;
        }
    }

    std::u16string_view take_value(const std::u16string& option) {
        if (next_ >= args_.size()) {
            throw UsageError{u"option '" + option + u"' needs a value"};
        }
        return args_[next_++];
    }

    void apply(const OptionName& option, std::u16string_view value) {
        switch (option.option) {
        case Option::output_dir:
            parsed_.output_dir = command_line_path(value, style_);
            break;
        case Option::extension:
            parsed_.extension = value;
            break;
        case Option::code_page: {
            const auto number = parse_number(value);
            parsed_.code_page = number ? CodePage::from_number(*number) : std::nullopt;
            if (!parsed_.code_page) {
                throw UsageError{u"code page '" + std::u16string(value) + u"' is not available"};
            }
            break;
        }
        case Option::files_from:
            add_input(InputArgument::Kind::list, value);
            break;
        case Option::dry_run:
            parsed_.dry_run = true;
            break;
        case Option::help:
            parsed_.help = true;
            break;
        case Option::version:
            parsed_.version = true;
            break;
        }
    }

    void add_input(InputArgument::Kind kind, std::u16string_view text) {
        parsed_.inputs.push_back({kind, text == standard_stream ? std::u16string(text)
                                                                : command_line_path(text, style_)});
    }

    // Standard input can be read once: "-" as a FILE is the only input when it is given.
    void check_inputs() const {
        if (parsed_.help || parsed_.version) {
            return;
        }
        if (parsed_.inputs.empty()) {
            throw UsageError{u"no input files"};
        }
        const bool reads_standard_input = std::any_of(
            parsed_.inputs.begin(), parsed_.inputs.end(), [](const InputArgument& input) {
                return input.kind == InputArgument::Kind::file && input.text == standard_stream;
            });
        if (reads_standard_input && parsed_.inputs.size() > 1) {
            throw UsageError{u"'-' (standard input) cannot be combined with other inputs"};
        }
    }

    const std::vector<std::u16string>& args_;
    const PathStyle& style_;
    std::size_t next_ = 0;
    Arguments parsed_;
};

} // namespace

std::u16string command_line_path(std::u16string_view text, const PathStyle& style) {
    std::u16string path(text);
    if (!uses_slash_as_delimiter(style)) {
        std::replace(path.begin(), path.end(), u'/', style.appended);
    }
    return path;
}

Arguments parse_arguments(const std::vector<std::u16string>& args, const PathStyle& style) {
    return Parser(args, style).parse();
}

} // namespace t2k
