// Fills the Linux program's text box with each benchmark text, each in a process of its own on
// the offscreen platform, and prints the time until the text is drawn, then until a resize by a
// fifth, a 24-point font and Ctrl+End are drawn, 0.3 s apart; the longest any event kept the
// window from answering in those pauses and for 0.3 s after Ctrl+End (the idle wrap's steps);
// and the peak memory beside the bound of 8 x the file + 200 MiB. The text comes in through the
// program's own open path (a UTF-8 file given to the core, as a drop or the command line gives
// it) or through its paste (the same text on the clipboard, Ctrl+V into the empty box).
//   open_bench [--candidates open,paste] [--cases a,b] [--timeout S]
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "fill_report.h"
#include "fill_texts.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "text/utf.h"

namespace {

using fill_bench::mib;
using Clock = std::chrono::steady_clock;

const char* const default_cases[] = {"lines_1m",       "lines_10m",  "lines_100m", "lines_256m",
                                     "run_64k",        "run_2048k",  "run_16384k", "run_32768k",
                                     "japanese_8192k", "empty_1000k"};
const char* const candidates[] = {"open", "paste"};

std::uint64_t bound_bytes(std::uint64_t file_bytes) {
    return 8 * file_bytes + 200 * mib;
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peak_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

std::uint64_t resident_bytes() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Times every event the main loop hands out, the longest kept since the last reset.
class TimedApplication final : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        const auto start = Clock::now();
        const bool handled = QApplication::notify(receiver, event);
        longest_ = std::max(longest_, seconds_since(start));
        --depth_;
        return handled;
    }
    double take_longest() { return std::exchange(longest_, 0.0); }

  private:
    int depth_ = 0;
    double longest_ = 0;
};

// Lets the window run for `period`, as while the user looks at it; the longest one event took.
double idle_for(TimedApplication& application, std::chrono::milliseconds period) {
    application.take_longest();
    QEventLoop loop;
    QTimer::singleShot(period, &loop, &QEventLoop::quit);
    loop.exec();
    return application.take_longest();
}

// Ends this process once it outgrows `cap` or outlasts `timeout`.
void watch(std::uint64_t cap, std::chrono::seconds timeout, const std::atomic<bool>& done) {
    const auto start = Clock::now();
    while (!done) {
        const std::uint64_t now = resident_bytes();
        if (now > cap || Clock::now() - start > timeout) {
            std::printf("stopped %.1f %.0f %s\n", seconds_since(start), peak_mib(),
                        now > cap ? "memory" : "time");
            std::fflush(stdout);
            _exit(3);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// "<phase> <seconds> <peak MiB>" once `step` and the paint it causes are done. What the box
// leaves for idle time (Scintilla wraps the rest of the text then) is not waited for.
template <class Step>
void timed(const char* phase, platform::qt::QtProgram& program, Step&& step) {
    const auto start = Clock::now();
    step();
    program.form().text1().viewport()->repaint();
    std::printf("%s %.3f %.0f\n", phase, seconds_since(start), peak_mib());
    std::fflush(stdout);
}

// One candidate with one text, in this (child) process: "base", the phases, "busiest", "done".
[[noreturn]] void run_one(const std::string& candidate, const std::string& case_name,
                          std::chrono::seconds timeout) {
    auto text = fill_bench::fill_text(case_name);
    if (!text) {
        std::printf("error unknown case\n");
        _exit(2);
    }
    int argc = 1;
    char name[] = "open_bench";
    char* argv[] = {name, nullptr};
    TimedApplication application(argc, argv);
    platform::qt::QtProgram program;
    program.start();
    idle_for(application, std::chrono::milliseconds(200));
    const std::size_t length = text->text.size();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("open_bench_" + std::to_string(getpid()));
    const bool opening = candidate == "open";
    program.text_box().set_text(u"");
    if (opening) {
        std::ofstream(path, std::ios::binary) << text::utf8_from_utf16(text->text);
    } else {
        // The clipboard holds it now, as another program's copy would.
        QGuiApplication::clipboard()->setText(platform::qt::qstring_from_u16(text->text));
    }
    std::u16string().swap(text->text);
    std::printf("base %.0f %llu\n", peak_mib(), static_cast<unsigned long long>(text->file_bytes));
    std::fflush(stdout);

    std::atomic<bool> done = false;
    const std::uint64_t cap = 4 * bound_bytes(text->file_bytes);
    std::thread watcher(watch, cap, timeout, std::cref(done));
    timed("shown", program, [&] {
        if (opening)
            program.core().on_files_given({{path.u16string(), true}});
        else
            program.form().text1().paste();
    });
    std::filesystem::remove(path);
    constexpr std::chrono::milliseconds looking(300);
    double busiest = idle_for(application, looking);
    const int width = program.form().text1().width();
    timed("resized", program, [&] {
        QWidget& form = program.form();
        form.resize(form.width() * 4 / 5, form.height());
    });
    if (program.form().text1().width() >= width)
        std::printf("error the box kept its width\n");
    busiest = std::max(busiest, idle_for(application, looking));
    timed("font", program, [&] {
        platform::qt::QtTextBox& box = program.text_box();
        box.set_font_name(box.font_name());
        box.set_font_bold(box.font_bold());
        box.set_font_italic(box.font_italic());
        box.set_font_size(24);
    });
    busiest = std::max(busiest, idle_for(application, looking));
    timed("end", program, [&] { program.form().text1().send(SCI_DOCUMENTEND); });
    // The idle wrap goes on above the rows the jump showed.
    busiest = std::max(busiest, idle_for(application, looking));
    const std::size_t held = program.text_box().text().size();
    done = true;
    watcher.join();
    std::printf("busiest %.3f\n", busiest);
    std::printf("done %s %.0f\n", held == length ? "ok" : "short", peak_mib());
    std::fflush(stdout);
    _exit(0);
}

// Runs one pair in a child and returns all it printed; a child past its deadline is ended.
std::string run_child(const std::string& candidate, const std::string& case_name, int timeout) {
    int fds[2];
    if (pipe(fds) != 0)
        return "error no pipe\n";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        run_one(candidate, case_name, std::chrono::seconds(timeout));
    }
    close(fds[1]);
    std::string output;
    // Each of the four phases may take up to the timeout.
    const auto deadline = Clock::now() + std::chrono::seconds(timeout + 30);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd readable{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            kill(child, SIGKILL);
            break;
        }
        char buffer[256];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return output.empty() ? "error no answer\n" : output;
}

// One row: the seconds of each phase reached ("-" for one not reached), the longest wait, the
// peak memory beside the bound, and the verdict.
void print_row(const std::string& candidate, const std::string& case_name,
               const std::string& answer) {
    static const char* const phases[] = {"shown", "resized", "font", "end"};
    fill_report::print_row(candidate, case_name, answer, phases, [](std::uint64_t bytes) {
        return static_cast<double>(bound_bytes(bytes)) / mib;
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int timeout = 90;
    std::vector<std::string> chosen_candidates(std::begin(candidates), std::end(candidates));
    std::vector<std::string> chosen_cases(std::begin(default_cases), std::end(default_cases));
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--timeout") == 0)
            timeout = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--candidates") == 0)
            chosen_candidates = fill_report::split(argv[i + 1]);
        else if (std::strcmp(argv[i], "--cases") == 0)
            chosen_cases = fill_report::split(argv[i + 1]);
    }
    std::printf(
        "The program's text box on the offscreen platform: filled by the open path or a paste,\n"
        "then narrowed by a fifth, a 24-point font and Ctrl+End, 0.3 s apart: seconds until each\n"
        "is painted, the longest any event took in between and in 0.3 s after; peak memory\n"
        "beside the bound of 8 x file + 200 MiB\n");
    std::printf("%-15s %-14s %8s %9s %9s %9s %9s %9s %8s %8s %6s\n", "case", "way", "file MiB",
                "shown s", "resize s", "24 pt s", "end s", "longest", "peak MiB", "bound", "base");
    std::fflush(stdout);
    for (const std::string& case_name : chosen_cases) {
        for (const std::string& candidate : chosen_candidates)
            print_row(candidate, case_name, run_child(candidate, case_name, timeout));
    }
    return 0;
}
