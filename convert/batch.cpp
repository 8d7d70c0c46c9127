// The batch loop over the file list.
#include "convert/batch.h"

#include "convert/file_translation.h"
#include "platform/files.h"

namespace t2k {

void run_batch(ConversionHost& host, const ConversionOptions& options) {
    host.clear_results();
    const std::vector<std::u16string> lines = host.file_list();
    for (const std::u16string& line : lines) {
        switch (file_kind(line)) {
        case FileKind::disk_file:
            translate_tovaro(line, host.output_folder(), host, options);
            break;
        case FileKind::other:
            host.show_message(MessageKind::not_a_disk_file, u"Cannot find " + line, line);
            break;
        case FileKind::missing:
            host.show_message(MessageKind::file_not_found, u"Cannot find " + line, line);
            break;
        }
    }
}

} // namespace t2k
