// The whole Linux program opening hostile files through its real open dialog: each ends with
// the file's text on screen or a clear error, and the window alive and still able to open.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "platform/scintilla/long_lines.h"
#include "text/text_decoding.h"
#include "text/text_lines.h"

namespace {

using platform::qt::QtProgram;
using window::MenuItem;

constexpr std::size_t mib = 1024 * 1024;

// What one use of the open command led to.
struct Outcome {
    QStringList errors;           // the program's error boxes
    QStringList dialog_notes;     // message boxes of the file dialog itself
    bool dialog_refused = false;  // the dialog stayed open after Open and was cancelled
};

// The box's text for a file, CR LF after each line: derived from the reader's decoding and line
// cutting, so that what is checked here is that nothing is lost, cut short or changed on the
// way to the screen.
std::u16string box_text_for(const std::string& bytes) {
    const std::u16string text = text::decode_text(bytes);
    text::LineCursor cursor(text);
    std::u16string lines;
    lines.reserve(text.size() + 2);
    while (!cursor.at_end()) {
        lines += cursor.next_line();
        lines += u"\r\n";
    }
    return lines;
}

std::string random_bytes(std::size_t size) {
    std::mt19937_64 random(0x5eed);
    std::string bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() >> 56);
    return bytes;
}

// Letters and digits alone, as in a hex dump or a hash list run together: not one place to
// break the line.
std::string single_line(std::size_t size) {
    constexpr std::string_view alphabet =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = alphabet[i % alphabet.size()];
    return bytes;
}

std::string file_bytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A PNG of noise, made here so the test needs no image from the system.
std::string png_bytes(const QString& path) {
    QImage image(200, 150, QImage::Format_ARGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, static_cast<QRgb>(random()));
    }
    if (!image.save(path, "PNG"))
        return {};
    return file_bytes(path);
}

struct HostileOpenTest : ::testing::Test {
    qt_test::TemporaryHome home;
    QTemporaryDir files;
    QtProgram program;

    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }

    QString write_file(const QString& name, const std::string& bytes) {
        const QString path = files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
        return path;
    }

    // Runs the open command, typing `path` into the dialog and pressing Open as a user would;
    // `after_open` runs once the dialog has closed and before the program reads the file.
    Outcome open(const QString& path, const std::function<void()>& after_open = {}) {
        Outcome outcome;
        const auto answer_box = [&outcome](QWidget& shown) {
            auto* box = qobject_cast<QMessageBox*>(&shown);
            if (box == nullptr)
                return false;
            (box->objectName() == QStringLiteral("error_box") ? outcome.errors
                                                              : outcome.dialog_notes)
                << box->text();
            box->accept();
            return true;
        };
        qt_test::ModalWatch watch([&](QWidget& shown) {
            if (answer_box(shown))
                return;
            auto* dialog = qobject_cast<QFileDialog*>(&shown);
            ASSERT_NE(dialog, nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            {
                // The dialog's own warnings open inside accept(), while this watch's timer is
                // still busy: a watch of their own answers them.
                qt_test::ModalWatch warnings([&](QWidget& inner) { answer_box(inner); });
                static_cast<QDialog*>(dialog)->accept();  // runs the dialog's own checks
            }
            if (dialog->isVisible()) {
                outcome.dialog_refused = true;
                dialog->reject();
            } else if (after_open) {
                after_open();
            }
        });
        program.core().on_menu_click(MenuItem::IDM_open);
        return outcome;
    }

    QString caption() { return program.form().windowTitle(); }
    std::u16string document() { return program.text_box().text(); }

    // The window is up and the open command still works from start to end.
    void expect_still_working() {
        EXPECT_TRUE(program.form().isVisible());
        const QString path = write_file(QStringLiteral("afterwards.txt"), "まだ動く\n");
        const Outcome outcome = open(path);
        EXPECT_TRUE(outcome.errors.isEmpty());
        EXPECT_EQ(caption(), path);
        EXPECT_EQ(document(), u"まだ動く\r\n");
    }
};

// Files that must appear whole: the caption becomes the path and the box holds every line.
TEST_F(HostileOpenTest, ShowsEmptyTinyHugeAndBinaryFilesWhole) {
    struct Case {
        const char* name;
        QString file_name;
        std::function<std::string(const QString& path)> bytes;  // written to the path
        std::size_t at_least = 0;  // a sample taken from the system or made must be real
    };
    const std::vector<Case> cases = {
        {"0 bytes", "empty.txt", [](const QString&) { return std::string(); }},
        {"1 byte", "one.txt", [](const QString&) { return std::string("x"); }},
        {"1 byte, NUL", "nul.txt", [](const QString&) { return std::string(1, '\0'); }},
        {"1 byte, LF", "lf.txt", [](const QString&) { return std::string("\n"); }},
        {"a single line at the line limit", "line.txt",
         [](const QString&) { return single_line(platform::scintilla::max_line_bytes); }},
        {"1 million empty lines", "lines.txt",
         [](const QString&) { return std::string(1000000, '\n'); }},
        {"random bytes", "random.txt", [](const QString&) { return random_bytes(1 * mib); }},
        {"an ELF program", "true.txt",
         [](const QString&) { return file_bytes(QStringLiteral("/bin/true")); }, 1000},
        {"a PNG image", "image.png", [](const QString& path) { return png_bytes(path); }, 1000},
        // Leading and trailing spaces included, in the folder and the name.
        {"Japanese, emoji and spaces in the path", " 日本語 フォルダー 😀 /  メモ 📝 テスト  .txt",
         [](const QString&) { return std::string("一行目\r\n二行目"); }},
    };
    ASSERT_TRUE(QDir().mkpath(files.filePath(QStringLiteral(" 日本語 フォルダー 😀 "))));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = files.filePath(c.file_name);
        std::string bytes = c.bytes(path);
        ASSERT_GE(bytes.size(), c.at_least) << "no sample to open";
        write_file(c.file_name, bytes);
        const std::u16string expected = box_text_for(bytes);
        std::string().swap(bytes);

        const Outcome outcome = open(path);
        EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.join(u'\n').toStdString();
        EXPECT_FALSE(outcome.dialog_refused);
        EXPECT_EQ(caption(), path);
        const std::u16string shown = document();
        EXPECT_EQ(shown.size(), expected.size());
        EXPECT_TRUE(shown == expected);  // not EXPECT_EQ: a failure would print megabytes
        EXPECT_EQ(shown.find(u'\0'), std::u16string::npos);
        QFile::remove(path);
    }
    expect_still_working();
}

// Files that cannot be shown: a clear message naming the path and the reason, and the caption
// and text kept as they were.
TEST_F(HostileOpenTest, RefusesWhatCannotBeShownAndKeepsTheWindow) {
    const QString vanishing = write_file(QStringLiteral("消える.txt"), "soon gone\n");
    struct Case {
        const char* name;
        QString path;
        std::function<void()> after_open;
        QString reason;
    };
    const QString long_line = write_file(QStringLiteral("long.txt"),
                                         single_line(platform::scintilla::max_line_bytes + 1));
    const QString big = files.filePath(QStringLiteral("big.txt"));
    {
        QFile file(big);  // sparse: over the limit without using the disk
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{300} * 1024 * 1024));
    }
    // Other devices and files that are not regular are refused alike (file_bytes_posix_test).
    const std::vector<Case> cases = {
        {"a line past the line limit", long_line, {}, QStringLiteral("1 行が長すぎる")},
        {"past the size limit", big, {}, QStringLiteral("ファイルが大きすぎます")},
        {"deleted between the dialog and the read", vanishing, [&] { QFile::remove(vanishing); },
         QStringLiteral("ファイルが見つかりません。")},
        {"a device", QStringLiteral("/dev/zero"), {}, QStringLiteral("通常のファイルではない")},
    };
    const std::u16string before = document();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = open(c.path, c.after_open);
        ASSERT_EQ(outcome.errors.size(), 1);
        EXPECT_TRUE(outcome.errors[0].contains(c.path)) << outcome.errors[0].toStdString();
        EXPECT_TRUE(outcome.errors[0].contains(c.reason)) << outcome.errors[0].toStdString();
        EXPECT_EQ(caption(), QStringLiteral("Form1"));
        EXPECT_EQ(document(), before);
        EXPECT_EQ(program.core().open_path(), platform::qt::u16_from_qstring(c.path));
    }
    expect_still_working();
}

// The dialog itself turns these down (a folder is entered, a link that leads nowhere does not
// exist for it); the program reads nothing and changes nothing.
TEST_F(HostileOpenTest, DialogTurnsDownFoldersAndLinkLoops) {
    const QString folder = files.filePath(QStringLiteral("フォルダー"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString loop = files.filePath(QStringLiteral("loop.txt"));
    ASSERT_TRUE(QFile::link(loop, loop));
    const std::u16string before = document();
    for (const QString& path : {folder, loop}) {
        SCOPED_TRACE(path.toStdString());
        const Outcome outcome = open(path);
        EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.join(u'\n').toStdString();
        EXPECT_TRUE(outcome.dialog_refused);
        EXPECT_EQ(caption(), QStringLiteral("Form1"));
        EXPECT_EQ(document(), before);
        EXPECT_TRUE(program.core().open_path().empty());
    }
    expect_still_working();
}

}  // namespace
