// Times Scintilla's Qt widget on the offscreen platform, 640 x 480: setting each benchmark text
// and painting it, then a 24-point font, then Ctrl+End, then a keystroke in the middle of the
// text, with the peak memory after each step. With --rows the text is styled for Japanese rows as
// the Linux text box styles it (platform/scintilla/row_styler.h over Qt's break opportunities),
// and the units of text the styling asked Qt about are counted for each step. Each text runs in a
// child process of its own, so its peak is its own; a step that runs past the time limit is
// reported as such and ends the text's run. Times are wall clock, with the process's own CPU time
// in brackets.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ScintillaEditBase.h"
#include "fill_texts.h"
#include "platform/qt/line_breaks.h"
#include "platform/scintilla/row_styler.h"
#include "text/utf.h"

namespace {

constexpr std::size_t mib = 1024 * 1024;

std::string utf8(const std::u16string& text) {
    return text::utf8_from_utf16(text);
}

struct Case {
    const char* name;
    std::string (*make)();
    bool single_line;
};

const Case cases[] = {
    {"lines_100m", [] { return utf8(fill_bench::ordinary_lines(100 * mib)); }, false},
    {"lines_250m", [] { return utf8(fill_bench::ordinary_lines(250 * mib)); }, false},
    {"line_16m", [] { return utf8(fill_bench::unbroken_run(16 * mib)); }, true},
    {"line_32m", [] { return utf8(fill_bench::unbroken_run(32 * mib)); }, true},
    {"japanese_8m", [] { return utf8(fill_bench::japanese_run(8 * mib)); }, true},
    {"japanese_16m", [] { return utf8(fill_bench::japanese_run(16 * mib)); }, true},
    {"jlines_100m", [] { return utf8(fill_bench::japanese_lines(100 * mib)); }, false},
    {"empty_1000k",
     [] {
         std::string text;
         for (int i = 0; i < 1000000; ++i)
             text += "\r\n";
         return text;
     },
     false},
};

enum class Step : int { shown, font, end, key, count };
constexpr const char* step_names[] = {"shown", "24 pt", "Ctrl+End", "key mid-text"};

struct Record {
    Step step;
    double seconds;
    double cpu_seconds;  // the process's own, which other load on the machine leaves alone
    long peak_kib;
    std::size_t units;  // asked of Qt's line breaking, with --rows
};

bool styled_rows = false;

rusage usage_now() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

double cpu_seconds(const rusage& usage) {
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Start {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = cpu_seconds(usage_now());
};

void paint(ScintillaEditBase& box) {
    box.viewport()->repaint();
    QCoreApplication::processEvents();
}

// The child: one widget, one text, each step timed and reported through `out` as it ends.
[[noreturn]] void run_case(const Case& c, int out) {
    int argc = 1;
    char name[] = "scintilla_qt_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    ScintillaEditBase box;
    std::size_t units = 0;
    const platform::scintilla::ScintillaCall call(
        reinterpret_cast<SciFnDirectStatus>(box.send(SCI_GETDIRECTSTATUSFUNCTION)),
        box.send(SCI_GETDIRECTPOINTER));
    platform::scintilla::RowStyler rows([&](std::u16string_view part) {
        units += part.size();
        return platform::qt::break_opportunities(part);
    });
    if (styled_rows) {
        box.send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
        QObject::connect(&box, &ScintillaEditBase::notify, [&](Scintilla::NotificationData* data) {
            rows.on_notification(call, *reinterpret_cast<const SCNotification*>(data));
        });
    }
    box.resize(640, 480);
    box.show();
    const QByteArray family = QApplication::font().family().toUtf8();
    // As the program sets the box up: UTF-8, word wrap, no margins or scroll bars, the layout of
    // the lines on the page kept.
    box.send(SCI_SETCODEPAGE, SC_CP_UTF8);
    box.send(SCI_SETWRAPMODE, SC_WRAP_WORD);
    box.send(SCI_SETHSCROLLBAR, 0);
    box.send(SCI_SETVSCROLLBAR, 0);
    for (int margin = 0; margin < box.send(SCI_GETMARGINS); ++margin)
        box.send(SCI_SETMARGINWIDTHN, margin, 0);
    box.send(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
    box.send(SCI_SETPOSITIONCACHE, 4096);
    box.sends(SCI_STYLESETFONT, STYLE_DEFAULT, family.constData());
    box.send(SCI_STYLESETSIZE, STYLE_DEFAULT, QApplication::font().pointSize());
    box.send(SCI_STYLECLEARALL);
    paint(box);
    std::string text = c.make();

    const auto report = [&](Step step, const Start& start) {
        const rusage usage = usage_now();
        const Record record{
            step,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start.wall).count(),
            cpu_seconds(usage) - start.cpu, usage.ru_maxrss, std::exchange(units, 0)};
        if (write(out, &record, sizeof record) != sizeof record)
            _exit(1);
    };
    Start start;
    // With no undo history, as the program opens a file.
    box.send(SCI_SETUNDOCOLLECTION, 0);
    box.send(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
    box.send(SCI_EMPTYUNDOBUFFER);
    box.send(SCI_SETUNDOCOLLECTION, 1);
    paint(box);
    report(Step::shown, start);
    std::string().swap(text);

    start = Start();
    box.send(SCI_STYLESETSIZE, STYLE_DEFAULT, 24);
    box.send(SCI_STYLECLEARALL);
    paint(box);
    report(Step::font, start);

    start = Start();
    box.send(SCI_DOCUMENTEND);
    paint(box);
    report(Step::end, start);

    // Untimed: the jump there, and the idle wrap's work it leaves.
    box.send(SCI_GOTOPOS, box.send(SCI_GETLENGTH) / 2);
    paint(box);
    units = 0;
    start = Start();
    box.sends(SCI_REPLACESEL, 0, "字");
    paint(box);
    report(Step::key, start);
    _exit(0);
}

// Runs one text in a child and prints its row; steps past `limit` seconds end the child.
void bench_case(const Case& c, double limit) {
    int fds[2];
    if (pipe(fds) != 0)
        std::abort();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        run_case(c, fds[1]);
    }
    close(fds[1]);
    std::vector<Record> records;
    bool timed_out = false;
    auto step_start = std::chrono::steady_clock::now();
    while (records.size() < static_cast<std::size_t>(Step::count)) {
        pollfd waiting{fds[0], POLLIN, 0};
        const double waited =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - step_start).count();
        const int ready = poll(&waiting, 1, static_cast<int>((limit - waited) * 1000));
        if (ready <= 0) {
            timed_out = true;
            kill(child, SIGKILL);
            break;
        }
        Record record{};
        if (read(fds[0], &record, sizeof record) != sizeof record)
            break;
        records.push_back(record);
        step_start = std::chrono::steady_clock::now();
    }
    close(fds[0]);
    waitpid(child, nullptr, 0);

    std::printf("%-12s", c.name);
    for (std::size_t i = 0; i < static_cast<std::size_t>(Step::count); ++i) {
        if (i < records.size()) {
            std::printf(" %6.3f s (%5.2f) %5ld MiB", records[i].seconds, records[i].cpu_seconds,
                        records[i].peak_kib / 1024);
            if (styled_rows)
                std::printf(" %9zu", records[i].units);
        } else {
            std::printf(" %19s %9s%s", i == records.size() && timed_out ? "> limit" : "-", "",
                        styled_rows ? "          " : "");
        }
    }
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

// scintilla_qt_bench [--rows] [--cases a,b] [--limit seconds]: every text, or those named.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string chosen;
    double limit = 120;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rows") == 0)
            styled_rows = true;
        else if (std::strcmp(argv[i], "--cases") == 0 && i + 1 < argc)
            chosen = std::string(",") + argv[++i] + ",";
        else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc)
            limit = std::atof(argv[++i]);
    }
    std::printf("%-12s", "text");
    for (const char* step : step_names)
        std::printf(" %19s %9s%s", step, "peak", styled_rows ? "     units" : "");
    std::printf("\n");
    std::fflush(stdout);
    for (const Case& c : cases) {
        if (chosen.empty() || chosen.find(std::string(",") + c.name + ",") != std::string::npos)
            bench_case(c, limit);
    }
    return 0;
}
