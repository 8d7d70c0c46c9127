// File translation: skip to the marker, frame the payload lines, name the output, write it.
#include "convert/file_translation.h"

#include "convert/line_reader.h"
#include "convert/output_writer.h"
#include "convert/record_list.h"

#include <algorithm>
#include <optional>

namespace t2k {
namespace {

constexpr std::u16string_view first_framing = u"\u0002";
constexpr std::u16string_view continuation_framing = u"\u0004\u0002";

void underscores_to_etx(std::u16string& line) {
    std::replace(line.begin(), line.end(), u'_', etx);
}

// The command line reads in large blocks: 128-byte reads would be most of its time.
std::size_t read_size(WriteMode mode) {
    return mode == WriteMode::byte_per_write ? LineReader::block_size : output_buffer_size;
}

// The marker, skip line and framing as bytes of a code page that gives every byte back as it
// was read and leaves ASCII as it is (a single-byte code page such as Windows-1252). Lines are
// then matched and framed as bytes: the same output as decoding every line and encoding it
// back, without doing either.
struct ByteForms {
    std::string marker; // empty when the code page cannot hold the marker: no line has it
    std::string skip;
    std::string first;
    std::string continuation;
};

std::optional<ByteForms> byte_forms(const CodePage& code_page) {
    std::string every_byte(256, '\0');
    for (std::size_t i = 0; i < every_byte.size(); ++i) {
        every_byte[i] = static_cast<char>(i);
    }
    const std::u16string text = code_page.decode(every_byte);
    if (text.size() != every_byte.size() || code_page.encode(text) != every_byte) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 0x80; ++i) {
        if (text[i] != i) {
            return std::nullopt;
        }
    }
    std::string marker = code_page.encode(start_marker);
    if (code_page.decode(marker) != start_marker) {
        marker.clear();
    }
    return ByteForms{marker, code_page.encode(skip_line), code_page.encode(first_framing),
                     code_page.encode(continuation_framing)};
}

// Reads up to and including the first line that contains the marker; false when there is none.
bool skip_to_marker(LineReader& reader, const std::optional<ByteForms>& bytes) {
    while (!reader.at_end()) {
        if (bytes) {
            const std::string_view line = reader.read_line_bytes();
            if (!bytes->marker.empty() && line.find(bytes->marker) != std::string_view::npos) {
                return true;
            }
        } else if (reader.read_line().find(start_marker) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

// Every payload line but the skip lines becomes a record, then the closing EOT. A line is
// converted in place and its framing appended apart, so a long line is never copied whole.
void collect_records(LineReader& reader, RecordList& records,
                     const std::optional<ByteForms>& bytes) {
    bool first = true;
    while (!reader.at_end()) {
        if (bytes) {
            const std::string_view line = reader.read_line_bytes();
            if (line == bytes->skip) {
                continue;
            }
            records.append_bytes(first ? bytes->first : bytes->continuation, line);
        } else {
            std::u16string line = reader.read_line();
            if (line == skip_line) {
                continue;
            }
            underscores_to_etx(line);
            records.append(first ? first_framing : continuation_framing);
            records.append(line);
        }
        first = false;
    }
    records.append(std::u16string(1, eot));
}

} // namespace

std::u16string continuation_record(std::u16string_view line) {
    std::u16string record = std::u16string(continuation_framing) + std::u16string(line);
    underscores_to_etx(record);
    return record;
}

std::u16string get_outfile(std::u16string_view filename, std::u16string_view path,
                           std::u16string_view extension, const PathStyle& style) {
    const std::u16string folder = style.with_trailing_delimiter(path);
    const std::u16string_view ext = extension.empty() ? default_extension : extension;
    std::u16string_view name = style.file_name_part(filename);
    name = name.substr(0, name.find(u'.'));
    return folder + std::u16string(name) + u"." + std::u16string(ext);
}

namespace {

// The payload's records; nothing, and the marker message shown, when the marker is missing.
std::optional<RecordList> read_records(LineReader& reader, std::u16string_view name,
                                       ConversionHost& host, const ConversionOptions& options) {
    const std::optional<ByteForms> bytes = byte_forms(options.code_page);
    if (!skip_to_marker(reader, bytes)) {
        host.show_message(MessageKind::marker_missing, marker_missing_message, name);
        return std::nullopt;
    }
    RecordList records(options.code_page);
    collect_records(reader, records, bytes);
    return records;
}

} // namespace

void translate_tovaro(const std::u16string& filename, const std::u16string& path,
                      ConversionHost& host, const ConversionOptions& options) {
    host.converting(filename, u"");
    LineReader reader(filename, options.code_page, read_size(options.write_mode));
    const std::optional<RecordList> records = read_records(reader, filename, host, options);
    if (!records) {
        return; // the reader closes the input
    }
    const std::u16string outfile =
        get_outfile(filename, path, host.extension(), options.path_style);
    host.converting(filename, outfile);
    // The input stays open while the output is created: an output that is the input itself is
    // refused as a sharing violation instead of truncating it.
    if (options.write_mode == WriteMode::none) {
        probe_output_file(outfile);
    } else {
        write_output_file(outfile, records->chunks(), options.write_mode);
    }
    host.append_result(outfile);
    reader.close();
}

void translate_stream(InputFile input, std::u16string_view input_name, OutputFile output,
                      ConversionHost& host, const ConversionOptions& options) {
    host.converting(input_name, u"");
    LineReader reader(std::move(input), options.code_page, output_buffer_size);
    const std::optional<RecordList> records = read_records(reader, input_name, host, options);
    if (!records) {
        return;
    }
    reader.close();
    host.converting(input_name, output.name());
    if (options.write_mode != WriteMode::none) {
        write_chunks(output, records->chunks(), options.write_mode);
        output.close();
    }
    host.append_result(output.name());
}

} // namespace t2k
