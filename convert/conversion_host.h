// ConversionHost: what the conversion needs of the window (or the CLI, or a test) that runs it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Which of the two per-file messages is shown; a host that logs may say which file it is about.
enum class MessageKind { file_not_found, marker_missing };

class ConversionHost {
public:
    virtual ~ConversionHost() = default;

    // The file list, taken once at the start of a batch.
    virtual std::vector<std::u16string> file_list() = 0;
    // The output folder's current text, read for every file.
    virtual std::u16string output_folder() = 0;
    // The extension field's current text, read every time an output name is formed.
    virtual std::u16string extension() = 0;

    virtual void clear_results() = 0;
    virtual void append_result(std::u16string_view line) = 0;
    // A modal message (text as the window shows it; file is the list entry it is about);
    // returns once the user has dismissed it.
    virtual void show_message(MessageKind kind, std::u16string_view text,
                              std::u16string_view file) = 0;

    // Which input is being converted and, once it is named, its output (empty before): a host
    // that logs can name both when a failure ends the batch. The window has no use for it.
    virtual void converting(std::u16string_view input, std::u16string_view output) {
        static_cast<void>(input);
        static_cast<void>(output);
    }
};

} // namespace t2k
