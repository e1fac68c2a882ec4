// What the fill benchmarks (open_bench on Linux, win32_fill_bench under Wine) share: their
// comma-separated arguments, and one row of their table, read from what a child process
// measuring one text printed: "base MiB bytes", a line per phase reached ("<phase> seconds
// MiB"), "busiest seconds", and "done <verdict> MiB" or "stopped ...".
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fill_report {

inline constexpr double mib = 1024.0 * 1024.0;

// "a,b,c" as its parts.
inline std::vector<std::string> split(std::string_view list) {
    std::vector<std::string> parts;
    while (!list.empty()) {
        const auto comma = list.find(',');
        parts.emplace_back(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return parts;
}

// `phases` names the phases in the order of the table's columns; `bound_mib` is the peak memory
// allowed for a file of the size the child reported.
template <class Bound>
void print_row(const std::string& candidate, const std::string& case_name,
               const std::string& answer, std::span<const char* const> phases, Bound bound_mib) {
    double base = 0;
    unsigned long long file_bytes = 0;
    std::vector<double> phase_seconds(phases.size(), -1);
    double peak = 0;
    double busiest = -1;
    std::string verdict = "?";
    for (std::size_t at = 0; at < answer.size();) {
        const std::size_t end = std::min(answer.find('\n', at), answer.size());
        const std::string line = answer.substr(at, end - at);
        at = end + 1;
        char word[32] = {};
        double seconds = 0;
        double mib_now = 0;
        if (std::sscanf(line.c_str(), "base %lf %llu", &base, &file_bytes) == 2 ||
            std::sscanf(line.c_str(), "busiest %lf", &busiest) == 1 || line.empty())
            continue;
        if (std::sscanf(line.c_str(), "done %31s %lf", word, &mib_now) == 2) {
            verdict = word;
        } else if (std::sscanf(line.c_str(), "stopped %lf %lf %31s", &seconds, &mib_now, word) ==
                   3) {
            verdict = std::string("stopped (") + word + ")";
        } else if (std::sscanf(line.c_str(), "%31s %lf %lf", word, &seconds, &mib_now) == 3) {
            const auto phase = std::find(phases.begin(), phases.end(), std::string_view(word));
            if (phase != phases.end())
                phase_seconds[static_cast<std::size_t>(phase - phases.begin())] = seconds;
        } else {
            verdict = line;
        }
        peak = std::max(peak, mib_now);
    }
    const double bound = bound_mib(static_cast<std::uint64_t>(file_bytes));
    std::printf("%-15s %-14s %8.1f", case_name.c_str(), candidate.c_str(),
                static_cast<double>(file_bytes) / mib);
    for (const double seconds : phase_seconds) {
        if (seconds < 0)
            std::printf(" %9s", "-");
        else
            std::printf(" %9.3f", seconds);
    }
    if (busiest < 0)
        std::printf(" %9s", "-");
    else
        std::printf(" %9.3f", busiest);
    const bool within =
        peak <= bound && phase_seconds[0] >= 0 && phase_seconds[0] <= 60 && verdict == "ok";
    std::printf(" %8.0f %8.0f %6.0f  %s%s\n", peak, bound, base, verdict.c_str(),
                within || verdict == "refused" ? "" : " OVER");
    std::fflush(stdout);
}

}  // namespace fill_report
