// File translation: skip to the marker, frame the payload lines, name the output, write it.
#include "convert/file_translation.h"

#include "convert/line_reader.h"
#include "convert/output_writer.h"
#include "convert/record_list.h"

#include <algorithm>

namespace t2k {
namespace {

std::u16string underscores_to_etx(std::u16string_view line) {
    std::u16string converted(line);
    std::replace(converted.begin(), converted.end(), u'_', etx);
    return converted;
}

std::u16string first_record(std::u16string_view line) {
    return stx + underscores_to_etx(line);
}

// Reads up to and including the first line that contains the marker; false when there is none.
bool skip_to_marker(LineReader& reader) {
    while (!reader.at_end()) {
        if (reader.read_line().find(start_marker) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

// Every payload line but the skip lines becomes a record, then the closing EOT.
void collect_records(LineReader& reader, RecordList& records) {
    bool first = true;
    while (!reader.at_end()) {
        const std::u16string line = reader.read_line();
        if (line == skip_line) {
            continue;
        }
        records.append(first ? first_record(line) : continuation_record(line));
        first = false;
    }
    records.append(std::u16string(1, eot));
}

} // namespace

std::u16string continuation_record(std::u16string_view line) {
    return std::u16string{eot, stx} + underscores_to_etx(line);
}

std::u16string get_outfile(std::u16string_view filename, std::u16string_view path,
                           std::u16string_view extension, const PathStyle& style) {
    const std::u16string folder = style.with_trailing_delimiter(path);
    const std::u16string_view ext = extension.empty() ? default_extension : extension;
    std::u16string_view name = style.file_name_part(filename);
    name = name.substr(0, name.find(u'.'));
    return folder + std::u16string(name) + u"." + std::u16string(ext);
}

void translate_tovaro(const std::u16string& filename, const std::u16string& path,
                      ConversionHost& host, const ConversionOptions& options) {
    RecordList records(options.code_page);
    LineReader reader(filename, options.code_page);
    if (!skip_to_marker(reader)) {
        host.show_message(MessageKind::marker_missing, marker_missing_message, filename);
        return; // the reader closes the input
    }
    collect_records(reader, records);
    const std::u16string outfile =
        get_outfile(filename, path, host.extension(), options.path_style);
    // The input stays open while the output is created: an output that is the input itself is
    // refused as a sharing violation instead of truncating it.
    write_output_file(outfile, records.bytes(), options.write_mode);
    host.append_result(outfile);
    reader.close();
}

} // namespace t2k
