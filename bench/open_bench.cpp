// Times opening a file into the Qt text box end to end (read, decode, CR LF text, setPlainText)
// beside the toolkit's floor (setPlainText of the already-decoded text), with peak memory.
// Each measurement runs in a child process of its own, so its peak RSS is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/qt/qt_program.h"
#include "host/qt/qt_strings.h"
#include "host/qt/qt_text_box.h"
#include "host/text/text_file_reader.h"
#include "host/text/utf.h"
#include "viewer/open_command.h"

namespace {

constexpr std::size_t mib = 1024 * 1024;

struct Figures {
    double seconds = 0;
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
    qt_host::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    std::u16string text;
    {
        host::TextFileReader reader(path.u16string());
        text = viewer::read_crlf_text(reader);
    }
    qt_host::QtTextBox(program.form()).set_text(std::move(text));
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// The toolkit's floor: the same text, already decoded, handed to setPlainText.
double toolkit_floor(const std::filesystem::path& path) {
    qt_host::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    std::u16string decoded;
    {
        host::TextFileReader reader(path.u16string());
        decoded = viewer::read_crlf_text(reader);
    }
    QString text = qt_host::qstring_from_u16(decoded);
    std::u16string().swap(decoded);
    const auto start = std::chrono::steady_clock::now();
    program.form().text1().setPlainText(text);
    QCoreApplication::processEvents();
    return seconds_since(start);
}

// A run of letters with no place to break, pasted at the caret, and then drawn.
double paste_into_program(const QString& run) {
    qt_host::QtProgram program;
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
    qt_host::QtProgram program;
    program.start();
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    qt_host::QtTextBox(program.form()).set_text(qt_host::u16_from_qstring(run) + u"\r\n");
    program.form().text1().repaint();
    QCoreApplication::processEvents();
    return seconds_since(start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::size_t> sizes_mib{1, 10, 100};
    if (argc > 1)
        sizes_mib = {static_cast<std::size_t>(std::atoi(argv[1]))};
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

    // Pasting must be no slower than opening the same text: the wrap mode follows edits too.
    std::printf("\n%-28s %12s %12s %14s %14s\n", "unbroken run", "paste s", "open s",
                "paste peak MiB", "open peak MiB");
    for (const int letters : {100000, 400000}) {
        const QString run(letters, QLatin1Char('x'));
        const Figures paste = in_child([&] { return paste_into_program(run); });
        const Figures open = in_child([&] { return open_run_in_program(run); });
        std::printf("%-28s %12.3f %12.3f %14.1f %14.1f\n",
                    (std::to_string(letters) + " letters").c_str(), paste.seconds, open.seconds,
                    paste.peak_rss_kib / 1024.0, open.peak_rss_kib / 1024.0);
    }
    return 0;
}
