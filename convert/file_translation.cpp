// File translation: skip to the marker, frame the payload lines, name the output, write it.
#include "convert/file_translation.h"

#include "convert/line_reader.h"
#include "convert/output_writer.h"
#include "convert/record_list.h"
#include "platform/io_error.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>

namespace t2k {
namespace {

// Lines decoded, framed as text and encoded back: right for every code page.
class DecodedLines {
public:
    explicit DecodedLines(const CodePage& code_page) : code_page_(code_page) {}

    bool next_line_has_marker(LineReader& reader) {
        return reader.read_line().find(start_marker) != std::u16string::npos;
    }

    // Reads the next line and appends its record; false for a skip line, which appends nothing.
    // The line is converted in place and its opening appended apart, so a long line is never
    // copied whole.
    bool append_record(LineReader& reader, RecordList& records, bool first_record) {
        std::u16string line = reader.read_line();
        if (line == skip_line) {
            return false;
        }
        records.append_encoded(record_opening(first_record), code_page_);
        underscores_to_etx(line);
        records.append_encoded(line, code_page_);
        return true;
    }

    void append_closing(RecordList& records) { records.append_encoded(closing_entry, code_page_); }

private:
    CodePage code_page_;
};

// Lines framed on their bytes, for a code page that gives every byte back as it was read and
// leaves ASCII as it is (Windows-1252 and the other single-byte code pages): the same output as
// decoding every line and encoding it back, without doing either. A line is copied from the
// read block straight into the records, its underscores turned into ETX on the way.
class ByteLines {
public:
    // Nothing when the code page is not of that kind.
    static std::optional<ByteLines> for_code_page(const CodePage& code_page);

    // Looks at the line a piece at a time, each piece after the end of the one before that a
    // marker could start in: a long line is never held whole.
    bool next_line_has_marker(LineReader& reader) {
        std::array<char, 4096> piece;
        const std::size_t carry = marker_.empty() ? 0 : marker_.size() - 1;
        std::size_t carried = 0;
        bool found = false;
        for (;;) {
            ByteRoom room{piece.data() + carried, piece.data() + piece.size()};
            const bool whole = reader.copy_line(room, plain_run::Underscores::kept);
            const std::string_view seen(piece.data(),
                                        static_cast<std::size_t>(room.next - piece.data()));
            found = found || (!marker_.empty() && seen.find(marker_) != std::string_view::npos);
            if (whole) {
                return found;
            }
            carried = std::min(carry, seen.size());
            std::memmove(piece.data(), seen.data() + seen.size() - carried, carried);
        }
    }

    // Reads the next line and appends its record; false for a skip line, whose record is taken
    // back once the line is known. The record is written into room_, the free end of the last
    // chunk, which the list is told about only when a chunk fills up or the records are done.
    [[gnu::always_inline]] bool append_record(LineReader& reader, RecordList& records,
                                              bool first_record) {
        const std::string_view opening = first_record ? first_opening_ : later_opening_;
        if (static_cast<std::size_t>(room_.end - room_.next) < opening.size() + skip_line_.size()) {
            return append_record_at_chunk_end(reader, records, opening);
        }
        char* const record_start = room_.next;
        // An opening is one or two bytes: both stores cost less than a copy of either length.
        room_.next[0] = opening[0];
        room_.next[1] = opening.size() > 1 ? opening[1] : '\0';
        room_.next += opening.size();
        const char* const line_start = room_.next;
        if (reader.copy_line(room_, plain_run::Underscores::as_etx)) {
            const auto line_size = static_cast<std::size_t>(room_.next - line_start);
            if (line_size == skip_line_.size() &&
                std::string_view(line_start, line_size) == skip_line_) {
                room_.next = record_start;
                return false;
            }
            return true;
        }
        // The line fills the rest of the chunk, so it is longer than a skip line.
        copy_rest_of_line(reader, records);
        return true;
    }

    void append_closing(RecordList& records) {
        commit(records);
        records.append(closing_);
    }

private:
    ByteLines() = default;

    // The same as append_record where the chunk has too little room left to see the whole record
    // in it: the list keeps it, and a skip line is taken back by its place in the list.
    bool append_record_at_chunk_end(LineReader& reader, RecordList& records,
                                    std::string_view opening) {
        commit(records);
        const std::uint64_t record_start = records.size();
        records.append(opening);
        const std::uint64_t line_start = records.size();
        room_ = records.room();
        if (!reader.copy_line(room_, plain_run::Underscores::as_etx)) {
            copy_rest_of_line(reader, records);
        }
        commit(records);
        if (records.tail_equals(line_start, skip_line_)) {
            records.truncate(record_start);
            room_ = records.room();
            return false;
        }
        return true;
    }

    // Goes on copying a line whose copy filled the chunk, a chunk at a time.
    void copy_rest_of_line(LineReader& reader, RecordList& records) {
        do {
            commit(records);
            room_ = records.room();
        } while (!reader.copy_line(room_, plain_run::Underscores::as_etx));
    }

    void commit(RecordList& records) {
        if (room_.next != nullptr) {
            records.commit(room_);
        }
    }

    std::string marker_; // empty when the code page cannot hold the marker: no line has it
    std::string skip_line_;
    std::string first_opening_;
    std::string later_opening_;
    std::string closing_;
    ByteRoom room_{nullptr, nullptr};
};

std::optional<ByteLines> ByteLines::for_code_page(const CodePage& code_page) {
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
    ByteLines lines;
    lines.marker_ = code_page.encode(start_marker);
    if (code_page.decode(lines.marker_) != start_marker) {
        lines.marker_.clear();
    }
    lines.skip_line_ = code_page.encode(skip_line);
    lines.first_opening_ = code_page.encode(record_opening(true));
    lines.later_opening_ = code_page.encode(record_opening(false));
    lines.closing_ = code_page.encode(closing_entry);
    return lines;
}

// Reads up to and including the first line that contains the marker; false when there is none.
template <typename Lines> bool skip_to_marker(LineReader& reader, Lines& lines) {
    while (!reader.at_end()) {
        if (lines.next_line_has_marker(reader)) {
            return true;
        }
    }
    return false;
}

// Every payload line but the skip lines becomes a record, then the closing entry.
template <typename Lines>
void collect_records(LineReader& reader, RecordList& records, Lines& lines) {
    bool first_record = true;
    while (!reader.at_end()) {
        if (lines.append_record(reader, records, first_record)) {
            first_record = false;
        }
    }
    lines.append_closing(records);
}

// Calls body with the lines of the options' way: framed as bytes where the code page allows it,
// decoded elsewhere.
template <typename Body> void with_lines(const ConversionOptions& options, Body&& body) {
    if (options.line_path == LinePath::fastest) {
        if (std::optional<ByteLines> lines = ByteLines::for_code_page(options.code_page)) {
            body(*lines);
            return;
        }
    }
    DecodedLines lines(options.code_page);
    body(lines);
}

// The rest of the payload's records written into output a chunk at a time as they are made, or
// only read through when output is null (a dry run).
template <typename Lines>
void stream_records(LineReader& reader, Lines& lines, OutputFile* output) {
    RecordList records = RecordList::streaming(output);
    collect_records(reader, records, lines);
    records.finish();
}

} // namespace

std::u16string continuation_record(std::u16string_view line) {
    std::u16string record = std::u16string(record_opening(false)) + std::u16string(line);
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

// An extension that would lead the output out of its folder or into a stream of another file,
// or that no file name may hold.
bool is_invalid_extension(std::u16string_view extension) {
    for (const char16_t c : extension) {
        if (c == u'\\' || c == u'/' || c == u':' || c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// Whether the output may be written over what its name holds now. The host decides first; what
// it lets through that is the conversion's own input is the sharing violation, raised before
// anything is written.
bool may_write_output(const std::u16string& outfile, const LineReader& reader,
                      ConversionHost& host) {
    const std::optional<FileIdentity> existing = file_identity(outfile, Links::not_followed);
    if (!existing) {
        return true;
    }
    if (!host.may_replace(outfile, *existing)) {
        return false;
    }
    if (existing == reader.input_identity()) {
        throw IoError(io_code::sharing_violation);
    }
    return true;
}

// The output's name once it may be written; nothing when the host keeps the file there.
std::optional<std::u16string> output_name(const std::u16string& filename,
                                          const std::u16string& path, const LineReader& reader,
                                          ConversionHost& host, const ConversionOptions& options) {
    const std::u16string extension = host.extension();
    std::u16string outfile = get_outfile(filename, path, extension, options.path_style);
    host.converting(filename, outfile);
    if (is_invalid_extension(extension)) {
        throw IoError(io_code::invalid_filename);
    }
    if (!may_write_output(outfile, reader, host)) {
        return std::nullopt;
    }
    return outfile;
}

} // namespace

// The window's way holds every record before it names the output; the command line's streams
// them into the output once the marker is found. Either way the input stays open until the
// output is in place.
void translate_tovaro(const std::u16string& filename, const std::u16string& path,
                      ConversionHost& host, const ConversionOptions& options) {
    host.converting(filename, u"");
    LineReader reader(filename, options.code_page, options.read_mode);
    with_lines(options, [&](auto& lines) {
        if (!skip_to_marker(reader, lines)) {
            host.show_message(MessageKind::marker_missing, marker_missing_message, filename);
            return;
        }
        std::optional<std::u16string> outfile;
        switch (options.write_mode) {
        case WriteMode::byte_per_write: {
            RecordList records;
            collect_records(reader, records, lines);
            outfile = output_name(filename, path, reader, host, options);
            if (outfile) {
                write_output_file(*outfile, records.pieces(), options.write_mode);
            }
            break;
        }
        case WriteMode::buffered:
            outfile = output_name(filename, path, reader, host, options);
            if (outfile) {
                OutputFile output(*outfile);
                stream_records(reader, lines, &output);
                output.commit();
            }
            break;
        case WriteMode::none:
            stream_records(reader, lines, nullptr);
            outfile = output_name(filename, path, reader, host, options);
            if (outfile) {
                probe_output_file(*outfile);
            }
            break;
        }
        if (outfile) {
            host.append_result(*outfile);
            reader.close();
        }
    });
}

void translate_stream(InputFile input, std::u16string_view input_name, OutputFile output,
                      ConversionHost& host, const ConversionOptions& options) {
    host.converting(input_name, u"");
    LineReader reader(std::move(input), options.code_page, options.read_mode);
    with_lines(options, [&](auto& lines) {
        if (!skip_to_marker(reader, lines)) {
            host.show_message(MessageKind::marker_missing, marker_missing_message, input_name);
            return;
        }
        host.converting(input_name, output.name());
        if (options.write_mode == WriteMode::byte_per_write) {
            RecordList records;
            collect_records(reader, records, lines);
            write_chunks(output, records.pieces(), options.write_mode);
        } else {
            stream_records(reader, lines,
                           options.write_mode == WriteMode::none ? nullptr : &output);
        }
        reader.close();
        if (options.write_mode != WriteMode::none) {
            output.commit();
        }
        host.append_result(output.name());
    });
}

} // namespace t2k
