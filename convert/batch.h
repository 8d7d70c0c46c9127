// The batch: every file of the host's list converted in turn, the one loop the GUI and the CLI
// share.
#pragma once

#include "convert/conversion_host.h"
#include "convert/conversion_options.h"

namespace t2k {

// Clears the results, then converts each listed file that exists and reports each that does not.
// An IoError ends the batch at once and travels on to the caller.
void run_batch(ConversionHost& host, const ConversionOptions& options);

} // namespace t2k
