// File translation: one Tovaro file into one KORVANE file.
#pragma once

#include "convert/conversion_host.h"
#include "convert/conversion_options.h"
#include "convert/record_framing.h"
#include "platform/default_extension.h"
#include "platform/files.h"

#include <string>
#include <string_view>

namespace t2k {

inline constexpr std::u16string_view marker_missing_message =
    u"\"\u00ABp2\" not found in Tovaro file";

// EOT, STX and the line with every underscore replaced by ETX.
std::u16string continuation_record(std::u16string_view line);

// The output file's full name: the folder with trailing delimiter, the input's file name cut at
// its first dot, a dot and the extension ("maz" when the extension text is empty).
std::u16string get_outfile(std::u16string_view filename, std::u16string_view path,
                           std::u16string_view extension, const PathStyle& style);

// Converts filename into the folder path; reports a missing marker through the host, lists the
// output's name there once it is written whole, and raises IoError on any file failure: among
// them the sharing violation (32) for an output that would replace its own input, and "Invalid
// filename" for an extension holding '\\', '/', ':' or a control character. An output the host
// may not replace is left as it is. With WriteMode::none the output is only checked, as far as
// can be without creating it. Buffered, the output is created once the marker is found and the
// records are written into it as they are made (memory stays the same whatever the file's size);
// byte by byte, every record is held before the output is named.
void translate_tovaro(const std::u16string& filename, const std::u16string& path,
                      ConversionHost& host, const ConversionOptions& options);

// The same for an open input and output (standard input and output): nothing is written before
// the marker is found, then the records are written as they are made, so a read failure may come
// after some of them are out; the marker message names the input as input_name.
void translate_stream(InputFile input, std::u16string_view input_name, OutputFile output,
                      ConversionHost& host, const ConversionOptions& options);

} // namespace t2k
