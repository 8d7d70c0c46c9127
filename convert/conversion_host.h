// ConversionHost: what the conversion needs of the window (or the CLI, or a test) that runs it.
#pragma once

#include "platform/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace t2k {

// Which of the per-file messages is shown; a host that logs may say which file it is about, and
// what: a device or a pipe in the list is "Cannot find" in the window like a missing file.
enum class MessageKind { file_not_found, not_a_disk_file, marker_missing };

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

    // Asked before an output replaces the file existing: false leaves that file as it is, and the
    // batch goes on with the next file. The window replaces whatever is there but its own input
    // (the sharing violation); the command line keeps links and every input of its run, and says
    // why.
    virtual bool may_replace(std::u16string_view output, const FileIdentity& existing) {
        static_cast<void>(output);
        static_cast<void>(existing);
        return true;
    }

    // Which input is being converted and, once it is named, its output (empty before): a host
    // that logs can name both when a failure ends the batch. The window has no use for it.
    virtual void converting(std::u16string_view input, std::u16string_view output) {
        static_cast<void>(input);
        static_cast<void>(output);
    }
};

} // namespace t2k
