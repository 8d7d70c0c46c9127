// Test support: a ConversionHost that records what the conversion showed, in order.
#pragma once

#include "convert/conversion_host.h"

#include <string>
#include <vector>

namespace t2k::test {

class RecordingHost : public ConversionHost {
public:
    std::vector<std::u16string> files;
    std::u16string folder;
    std::u16string ext;

    std::vector<std::u16string> results;
    std::vector<std::u16string> messages;
    std::vector<MessageKind> message_kinds;
    // Results and messages as one story: "result: ..." and "message: ...".
    std::vector<std::u16string> events;
    int extension_reads = 0;

    std::vector<std::u16string> file_list() override { return files; }
    std::u16string output_folder() override { return folder; }
    std::u16string extension() override {
        ++extension_reads;
        return ext;
    }
    void clear_results() override {
        results.clear();
        events.push_back(u"cleared");
    }
    void append_result(std::u16string_view line) override {
        results.emplace_back(line);
        events.push_back(u"result: " + std::u16string(line));
    }
    void show_message(MessageKind kind, std::u16string_view text, std::u16string_view) override {
        messages.emplace_back(text);
        message_kinds.push_back(kind);
        events.push_back(u"message: " + std::u16string(text));
    }
};

} // namespace t2k::test
