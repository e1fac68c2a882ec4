// Times start-up of X11 programs, from exec to their "Form1" window viewable and then showing
// text, and reads their resident memory once idle; alternates the programs given over repeated
// runs and prints medians and their ratio to the last one (the floor). With --via, each program
// is started through LAUNCHER (wine), which must exec it in the same process. With --file, the
// first program is timed once more started with FILE as its argument, until its window is titled
// CAPTION and shows text: start-up and the file's open together.
//   startup_probe RUNS SETTLE_MS [--via LAUNCHER] [--file FILE CAPTION] PROGRAM... FLOOR
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

// A program as started: with the file to open, if any, and the caption its window then has.
struct Launch {
    std::string program;
    std::string file;
    std::string caption = "Form1";
    std::string label;
};

std::optional<Run> measure(const Connection& display, const std::string& launcher,
                           const Launch& launch, std::chrono::milliseconds settle) {
    const std::string& program = launch.program;
    std::vector<char*> argv;
    if (!launcher.empty())
        argv.push_back(const_cast<char*>(launcher.c_str()));
    argv.push_back(const_cast<char*>(program.c_str()));
    if (!launch.file.empty())
        argv.push_back(const_cast<char*>(launch.file.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    Run run;
    std::optional<xcb_window_t> form;
    while (!(form = display.find_titled(pid, launch.caption))) {
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
        std::fprintf(stderr, "startup_probe: %s showed no %s window with text\n",
                     launch.label.c_str(), launch.caption.c_str());
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

std::string base_name(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string launcher;
    if (arguments.size() > 3 && arguments[2] == "--via") {
        launcher = arguments[3];
        arguments.erase(arguments.begin() + 2, arguments.begin() + 4);
    }
    std::string file;
    std::string caption;
    if (arguments.size() > 4 && arguments[2] == "--file") {
        file = arguments[3];
        caption = arguments[4];
        arguments.erase(arguments.begin() + 2, arguments.begin() + 5);
    }
    if (arguments.size() < 4) {
        std::fprintf(stderr,
                     "usage: startup_probe RUNS SETTLE_MS [--via LAUNCHER] [--file FILE CAPTION] "
                     "PROGRAM... FLOOR\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(arguments[0].c_str()));
    const std::chrono::milliseconds settle(std::max(0, std::atoi(arguments[1].c_str())));
    const std::vector<std::string> programs(arguments.begin() + 2, arguments.end());
    std::vector<Launch> launches;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        launches.push_back({programs[p], "", "Form1", programs[p]});
        if (!file.empty() && p == 0)
            launches.push_back({programs[p], file, caption, base_name(programs[p]) + " + file"});
    }
    const Connection display;

    // One unmeasured start each fills the file and font caches.
    for (const Launch& launch : launches) {
        if (!measure(display, launcher, launch, std::chrono::milliseconds(0)))
            return 1;
    }
    // Alternating spreads any drift in the machine's load over every program alike.
    std::vector<std::vector<Run>> results(launches.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t l = 0; l < launches.size(); ++l) {
            const auto run = measure(display, launcher, launches[l], settle);
            if (!run)
                return 1;
            results[l].push_back(*run);
        }
    }

    const auto medians = [&](std::size_t l) {
        std::vector<double> mapped, text, rss, anon;
        for (const Run& run : results[l]) {
            mapped.push_back(run.mapped_ms);
            text.push_back(run.text_ms);
            rss.push_back(run.rss_mib);
            anon.push_back(run.anon_mib);
        }
        return Run{median(mapped), median(text), median(rss), median(anon)};
    };
    std::printf("Start-up from exec and idle memory after %lld ms, median of %d runs\n",
                static_cast<long long>(settle.count()), runs);
    if (!file.empty())
        std::printf("(\"+ file\": started with %s, until titled with it and showing text)\n",
                    file.c_str());
    std::printf("%-44s %10s %10s %10s %12s\n", "program", "mapped ms", "text ms", "VmRSS MiB",
                "RssAnon MiB");
    const Run floor = medians(launches.size() - 1);
    for (std::size_t l = 0; l < launches.size(); ++l) {
        const Run m = medians(l);
        std::printf("%-44s %10.1f %10.1f %10.1f %12.1f\n", launches[l].label.c_str(), m.mapped_ms,
                    m.text_ms, m.rss_mib, m.anon_mib);
    }
    for (std::size_t l = 0; l + 1 < launches.size(); ++l) {
        const Run m = medians(l);
        if (!launches[l].file.empty()) {
            const Run without = medians(l - 1);
            std::printf("%-44s %10s %10.1f %10.1f %12.1f\n",
                        (launches[l].label + " - without").c_str(), "", m.text_ms - without.text_ms,
                        m.rss_mib - without.rss_mib, m.anon_mib - without.anon_mib);
            continue;
        }
        std::printf("%-44s %10.2f %10.2f %10.2f %12.2f\n",
                    (base_name(launches[l].program) + " / floor").c_str(),
                    m.mapped_ms / floor.mapped_ms, m.text_ms / floor.text_ms,
                    m.rss_mib / floor.rss_mib, m.anon_mib / floor.anon_mib);
    }
    std::printf("(target for the program: at most 1.10 in start-up and in VmRSS)\n");
    return 0;
}
