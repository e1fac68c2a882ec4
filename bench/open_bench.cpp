// Times opening a file into the Qt text box end to end (read, decode, CR LF text, setPlainText)
// beside the toolkit's floor (setPlainText of the already-decoded text), with peak memory; then
// pastes, of unbroken runs and of large texts the paste bound accepts or refuses.
// Each measurement runs in a child process of its own, so its peak RSS is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/viewer/open_command.h"
#include "fill_texts.h"
#include "platform/qt/qt_paste_bound.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "platform/qt/qt_text_box.h"
#include "text/text_file_reader.h"
#include "text/utf.h"

namespace {

constexpr std::size_t mib = 1024 * 1024;

struct Figures {
    double seconds = 0;
    double weigh_seconds = 0;  // of a paste: deciding whether it fits, alone
    bool refused = false;
    long peak_rss_kib = 0;
};

// Japanese prose-like lines of varying length, CR LF and LF mixed, up to `bytes` of UTF-8.
void write_sample(const std::filesystem::path& path, std::size_t bytes) {
    const std::string words[] = {"日本語の", "テキスト", "ファイルを", "読み込んで", "表示する。",
                                 "ABC ",     "123 ",     "ｶﾀｶﾅ",       "漢字と",     "かな、"};
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    unsigned state = 12345;
    while (written < bytes) {
        std::string line;
        const unsigned count = 3 + (state >> 16) % 20;
        for (unsigned i = 0; i < count; ++i) {
            state = state * 1103515245u + 12345u;
            line += words[(state >> 16) % std::size(words)];
        }
        line += (state & 1) ? "\r\n" : "\n";
        out << line;
        written += line.size();
    }
}

// Runs `measure` in a child process with its own QApplication; the parent gets the figures.
template <class Measure>
Figures in_child(Measure measure) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0)
        std::abort();
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_fds[0]);
        int argc = 1;
        char name[] = "open_bench";
        char* argv[] = {name, nullptr};
        QApplication application(argc, argv);
        Figures figures;
        if constexpr (std::is_same_v<decltype(measure()), Figures>)
            figures = measure();
        else
            figures.seconds = measure();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        figures.peak_rss_kib = usage.ru_maxrss;
        if (write(pipe_fds[1], &figures, sizeof figures) != sizeof figures)
            _exit(1);
        _exit(0);
    }
    close(pipe_fds[1]);
    Figures figures;
    if (read(pipe_fds[0], &figures, sizeof figures) != sizeof figures)
        std::abort();
    close(pipe_fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return figures;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The program's own path: reader, CR LF text, the Qt text box, and the first layout.
double open_through_program(const std::filesystem::path& path) {
    platform::qt::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    std::u16string text;
    {
        text::TextFileReader reader(path.u16string());
        text = viewer::read_crlf_text(reader);
    }
    platform::qt::QtTextBox(program.form()).set_text(std::move(text));
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// The toolkit's floor: the same text, already decoded, handed to setPlainText.
double toolkit_floor(const std::filesystem::path& path) {
    platform::qt::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    std::u16string decoded;
    {
        text::TextFileReader reader(path.u16string());
        decoded = viewer::read_crlf_text(reader);
    }
    QString text = platform::qt::qstring_from_u16(decoded);
    std::u16string().swap(decoded);
    const auto start = std::chrono::steady_clock::now();
    program.form().text1().setPlainText(text);
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// A run of letters with no place to break, pasted at the caret, and then drawn.
double paste_into_program(const QString& run) {
    platform::qt::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    QPlainTextEdit& text1 = program.form().text1();
    const auto start = std::chrono::steady_clock::now();
    text1.insertPlainText(run);
    text1.repaint();
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// The same run opened as a file's whole text, and drawn.
double open_run_in_program(const QString& run) {
    platform::qt::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    platform::qt::QtTextBox(program.form()).set_text(platform::qt::u16_from_qstring(run) + u"\r\n");
    program.form().text1().repaint();
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// A paste through the clipboard, as Ctrl+V makes it, at the end of a box holding `box_bytes` of
// ordinary lines (none: the start text): until the text is drawn, or until the error box of a
// refusal shows. The weighing alone is timed on the same text beforehand.
Figures paste_large_text(std::uint64_t box_bytes, std::uint64_t pasted_bytes) {
    platform::qt::QtProgram program;
    program.start();
    QPlainTextEdit& text1 = program.form().text1();
    if (box_bytes > 0)
        platform::qt::QtTextBox(program.form()).set_text(fill_bench::ordinary_lines(box_bytes));
    text1.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    const QString pasted = platform::qt::qstring_from_u16(fill_bench::ordinary_lines(pasted_bytes));
    QGuiApplication::clipboard()->setText(pasted);

    Figures figures;
    const int end = text1.textCursor().position();
    auto start = std::chrono::steady_clock::now();
    const bool fits = platform::qt::paste_fits_document(*text1.document(), end, end, pasted);
    figures.weigh_seconds = seconds_since(start);

    QTimer box_watch;
    QObject::connect(&box_watch, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            figures.seconds = seconds_since(start);
            figures.refused = true;
            box->close();
        }
    });
    box_watch.start(1);
    start = std::chrono::steady_clock::now();
    text1.paste();
    if (!figures.refused) {
        text1.repaint();
        QCoreApplication::processEvents();
        figures.seconds = seconds_since(start);
    }
    if (figures.refused == fits)
        std::fprintf(stderr, "open_bench: the paste's outcome differs from its weighing\n");
    return figures;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void bench_opening(const std::vector<std::size_t>& sizes_mib) {
    const auto folder = std::filesystem::temp_directory_path() / "ontopview_open_bench";
    std::filesystem::create_directories(folder);
    std::printf("%8s %12s %12s %7s %14s %14s\n", "size", "open s", "floor s", "ratio",
                "open peak MiB", "floor peak MiB");
    for (const std::size_t size : sizes_mib) {
        const auto path = folder / ("sample_" + std::to_string(size) + "MiB.txt");
        write_sample(path, size * mib);
        const int runs = size >= 100 ? 1 : 3;
        std::vector<double> open_times, floor_times;
        Figures open_figures, floor_figures;
        for (int i = 0; i < runs; ++i) {
            open_figures = in_child([&] { return open_through_program(path); });
            floor_figures = in_child([&] { return toolkit_floor(path); });
            open_times.push_back(open_figures.seconds);
            floor_times.push_back(floor_figures.seconds);
        }
        const double open_s = median(open_times);
        const double floor_s = median(floor_times);
        std::printf("%5zu MiB %12.3f %12.3f %7.2f %14.1f %14.1f\n", size, open_s, floor_s,
                    open_s / floor_s, open_figures.peak_rss_kib / 1024.0,
                    floor_figures.peak_rss_kib / 1024.0);
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(folder);
}

// Pasting must be no slower than opening the same text: the wrap mode follows edits too.
void bench_unbroken_pastes() {
    std::printf("%-28s %12s %12s %14s %14s\n", "unbroken run", "paste s", "open s",
                "paste peak MiB", "open peak MiB");
    for (const int letters : {100000, 400000}) {
        const QString run(letters, QLatin1Char('x'));
        const Figures paste = in_child([&] { return paste_into_program(run); });
        const Figures open = in_child([&] { return open_run_in_program(run); });
        std::printf("%-28s %12.3f %12.3f %14.1f %14.1f\n",
                    (std::to_string(letters) + " letters").c_str(), paste.seconds, open.seconds,
                    paste.peak_rss_kib / 1024.0, open.peak_rss_kib / 1024.0);
    }
}

// Large pastes against the bound: weighing the box costs nothing while three bytes a unit cannot
// reach the bound, and one pass over the box's text when they can.
void bench_large_pastes() {
    std::printf("%-14s %-10s %-9s %10s %10s %10s\n", "box holds", "pasted", "outcome", "paste s",
                "weigh s", "peak MiB");
    struct PasteCase {
        const char* box;
        std::uint64_t box_bytes;
        const char* pasted;
        std::uint64_t pasted_bytes;
    };
    constexpr std::uint64_t kib = 1024;
    const PasteCase cases[] = {
        {"start text", 0, "10 MiB", 10 * mib},
        {"start text", 0, "100 MiB", 100 * mib},
        {"start text", 0, "300 MiB", 300 * mib},
        {"100 MiB", 100 * mib, "1 KiB", kib},
        {"200 MiB", 200 * mib, "1 KiB", kib},
        {"255.9 MiB", 256 * mib - 100 * kib, "1 KiB", kib},
        {"255.9 MiB", 256 * mib - 100 * kib, "1 MiB", mib},
    };
    for (const PasteCase& c : cases) {
        const Figures paste =
            in_child([&] { return paste_large_text(c.box_bytes, c.pasted_bytes); });
        std::printf("%-14s %-10s %-9s %10.3f %10.4f %10.1f\n", c.box, c.pasted,
                    paste.refused ? "refused" : "pasted", paste.seconds, paste.weigh_seconds,
                    paste.peak_rss_kib / 1024.0);
    }
}

}  // namespace

// open_bench [MiB]: opening (1, 10 and 100 MiB, or the size given) and all pastes;
// open_bench --pastes: the pastes alone.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string_view argument = argc > 1 ? argv[1] : "";
    if (argument != "--pastes") {
        std::vector<std::size_t> sizes_mib{1, 10, 100};
        if (!argument.empty())
            sizes_mib = {static_cast<std::size_t>(std::atoi(argv[1]))};
        bench_opening(sizes_mib);
        std::printf("\n");
    }
    bench_unbroken_pastes();
    std::printf("\n");
    bench_large_pastes();
    return 0;
}
