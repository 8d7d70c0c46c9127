// The batch: every file of the host's list converted in turn, the one loop the GUI and the CLI
// share.
#pragma once

#include "convert/conversion_host.h"
#include "convert/conversion_options.h"

namespace t2k {

// Clears the results, then converts each listed disk file and reports each other line: nothing,
// a folder, or a device or a pipe, which is never read.
// An IoError ends the batch at once and travels on to the caller.
void run_batch(ConversionHost& host, const ConversionOptions& options);

} // namespace t2k
