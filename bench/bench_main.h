// The common end of a benchmark's main: an escaping error becomes a message and exit code 1.
#pragma once

#include <cstdio>
#include <exception>

namespace t2k::bench {

template <typename Run> int run_reporting_errors(const char* program, Run&& run) {
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "%s: the conversion failed\n", program);
        return 1;
    }
}

} // namespace t2k::bench
