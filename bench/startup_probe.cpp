// Times start-up of X11 programs, from exec to their "Form1" window viewable and then showing
// text, and reads their resident memory once idle; alternates the programs given over repeated
// runs and prints medians and their ratio to the last one (the floor). With --via, each program
// is started through LAUNCHER (wine), which must exec it in the same process.
//   startup_probe RUNS SETTLE_MS [--via LAUNCHER] PROGRAM... FLOOR
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "x_display.h"

extern char** environ;

namespace {

using bench::Connection;
using bench::dark_pixels_for_text;
using bench::status_mib;
using Clock = std::chrono::steady_clock;

constexpr auto poll_interval = std::chrono::milliseconds(1);
constexpr auto give_up_after = std::chrono::seconds(30);

struct Run {
    double mapped_ms = 0;  // exec to the window viewable
    double text_ms = 0;    // exec to the text drawn in it
    double rss_mib = 0;    // VmRSS once idle
    double anon_mib = 0;   // RssAnon: the private part of it
};

double ms_between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

std::optional<Run> measure(const Connection& display, const std::string& launcher,
                           const std::string& program, std::chrono::milliseconds settle) {
    std::vector<char*> argv;
    if (!launcher.empty())
        argv.push_back(const_cast<char*>(launcher.c_str()));
    argv.push_back(const_cast<char*>(program.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    Run run;
    std::optional<xcb_window_t> form;
    while (!(form = display.find_form(pid))) {
        if (Clock::now() - start > give_up_after)
            break;
        std::this_thread::sleep_for(poll_interval);
    }
    if (form) {
        run.mapped_ms = ms_between(start, Clock::now());
        while (display.ink(*form).pixels < dark_pixels_for_text &&
               Clock::now() - start < give_up_after) {
            std::this_thread::sleep_for(poll_interval);
        }
        run.text_ms = ms_between(start, Clock::now());
        std::this_thread::sleep_for(settle);
        run.rss_mib = status_mib(pid, "VmRSS");
        run.anon_mib = status_mib(pid, "RssAnon");
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!form || Clock::now() - start > give_up_after + settle) {
        std::fprintf(stderr, "startup_probe: %s showed no Form1 window with text\n",
                     program.c_str());
        return std::nullopt;
    }
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string launcher;
    if (arguments.size() > 3 && arguments[2] == "--via") {
        launcher = arguments[3];
        arguments.erase(arguments.begin() + 2, arguments.begin() + 4);
    }
    if (arguments.size() < 4) {
        std::fprintf(stderr,
                     "usage: startup_probe RUNS SETTLE_MS [--via LAUNCHER] PROGRAM... FLOOR\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(arguments[0].c_str()));
    const std::chrono::milliseconds settle(std::max(0, std::atoi(arguments[1].c_str())));
    const std::vector<std::string> programs(arguments.begin() + 2, arguments.end());
    const Connection display;

    // One unmeasured start each fills the file and font caches.
    for (const std::string& program : programs) {
        if (!measure(display, launcher, program, std::chrono::milliseconds(0)))
            return 1;
    }
    // Alternating spreads any drift in the machine's load over every program alike.
    std::vector<std::vector<Run>> results(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const auto run = measure(display, launcher, programs[p], settle);
            if (!run)
                return 1;
            results[p].push_back(*run);
        }
    }

    const auto medians = [&](std::size_t p) {
        std::vector<double> mapped, text, rss, anon;
        for (const Run& run : results[p]) {
            mapped.push_back(run.mapped_ms);
            text.push_back(run.text_ms);
            rss.push_back(run.rss_mib);
            anon.push_back(run.anon_mib);
        }
        return Run{median(mapped), median(text), median(rss), median(anon)};
    };
    std::printf("Start-up from exec and idle memory after %lld ms, median of %d runs\n",
                static_cast<long long>(settle.count()), runs);
    std::printf("%-44s %10s %10s %10s %12s\n", "program", "mapped ms", "text ms", "VmRSS MiB",
                "RssAnon MiB");
    const Run floor = medians(programs.size() - 1);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const Run m = medians(p);
        std::printf("%-44s %10.1f %10.1f %10.1f %12.1f\n", programs[p].c_str(), m.mapped_ms,
                    m.text_ms, m.rss_mib, m.anon_mib);
    }
    for (std::size_t p = 0; p + 1 < programs.size(); ++p) {
        const Run m = medians(p);
        const std::string name = programs[p].substr(programs[p].find_last_of('/') + 1);
        std::printf("%-44s %10.2f %10.2f %10.2f %12.2f\n", (name + " / floor").c_str(),
                    m.mapped_ms / floor.mapped_ms, m.text_ms / floor.text_ms,
                    m.rss_mib / floor.rss_mib, m.anon_mib / floor.anon_mib);
    }
    std::printf("(target for the program: at most 1.10 in start-up and in VmRSS)\n");
    return 0;
}
