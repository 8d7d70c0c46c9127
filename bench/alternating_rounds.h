// Two pieces of work timed in alternating rounds in one process, and the median time of each.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace t2k::bench {

template <typename Work> double seconds_of(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Medians {
    double first_s;
    double second_s;
};

// Which one goes first changes every round, so a drift in the machine's load hits both.
template <typename First, typename Second>
Medians alternating_medians(int rounds, First&& first, Second&& second) {
    std::vector<double> first_times;
    std::vector<double> second_times;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            first_times.push_back(seconds_of(first));
            second_times.push_back(seconds_of(second));
        } else {
            second_times.push_back(seconds_of(second));
            first_times.push_back(seconds_of(first));
        }
    }
    return {median(first_times), median(second_times)};
}

} // namespace t2k::bench
