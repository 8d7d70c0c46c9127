// The batch: every file of the host's list converted in turn, the one loop the GUI and the CLI share.
#pragma once

#include "convert/conversion_host.h"
#include "platform/code_page.h"
#include "platform/path_style.h"

namespace t2k {

// The window writes every output byte with its own system call; the command line may buffer.
enum class WriteMode { byte_per_write, buffered };

struct ConversionOptions {
    CodePage code_page;
    const PathStyle& path_style;
    WriteMode write_mode;
};

// Clears the results, then converts each listed file that exists and reports each that does not.
// An IoError ends the batch at once and travels on to the caller.
void run_batch(ConversionHost& host, const ConversionOptions& options);

} // namespace t2k
