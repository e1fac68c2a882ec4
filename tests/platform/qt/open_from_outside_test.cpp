// Files given to the Linux program from outside the menu: on its command line at start, and
// dropped on the window, whichever widget takes the drop.
#include <gtest/gtest.h>

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "text/posix/native_path.h"

namespace {

using platform::qt::QtProgram;
using platform::qt::u16_from_qstring;

struct Dropped {
    bool entered = false;  // the drag was taken when it came in
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

Dropped drop_on(QWidget& target, const QMimeData& data,
                Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction) {
    QDragEnterEvent enter(QPoint(20, 20), possible, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(20, 20), possible, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    QCoreApplication::processEvents();  // the open waits for the drop to return
    return {enter.isAccepted(), drop.isAccepted(), drop.dropAction()};
}

std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

struct OpenFromOutsideTest : ::testing::Test {
    QTemporaryDir files;
    QtProgram program;
    QStringList messages;  // error boxes shown, answered as they come
    qt_test::ModalWatch watch{[this](QWidget& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            messages << box->text();
            box->accept();
        }
    }};

    // The file's path as the program names it, whatever bytes its name is.
    QString write_file(const QByteArray& name, const QByteArray& bytes) {
        const QByteArray path = QFile::encodeName(files.path()) + '/' + name;
        FILE* const file = std::fopen(path.constData(), "wb");
        EXPECT_NE(file, nullptr);
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
        std::fclose(file);
        return platform::qt::qstring_from_u16(text::path_from_native(path.toStdString()));
    }
    QString text() { return program.form().text1().toPlainText(); }
    QString caption() { return program.form().windowTitle(); }
};

TEST_F(OpenFromOutsideTest, TheFirstFileOnTheCommandLineIsShownAtStart) {
    const QString path = write_file("起動 メモ.txt", "一行目\r\n二行目");
    program.start({u16_from_qstring(path), u"/nonexistent/second.txt"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    EXPECT_EQ(caption(), path);
    EXPECT_EQ(text(), QStringLiteral("一行目\n二行目\n"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(program.core().open_path(), u16_from_qstring(path));
}

TEST_F(OpenFromOutsideTest, AFileThatCannotBeShownAtStartKeepsTheInstruction) {
    program.start({u16_from_qstring(files.filePath(QStringLiteral("ない.txt")))});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("ファイルが見つかりません。")));
    EXPECT_EQ(caption(), QStringLiteral("Form1"));
    EXPECT_TRUE(text().startsWith(QStringLiteral("ファイルを読み込んでください。")));
}

TEST_F(OpenFromOutsideTest, ADroppedFileIsShownWhereverItLands) {
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    QWidget* const targets[] = {&program.form(), &program.form().text1(),
                                program.form().text1().viewport()};
    int n = 0;
    for (QWidget* target : targets) {
        ++n;
        const QString path =
            write_file(QStringLiteral("ドロップ%1.txt").arg(n).toUtf8(), QByteArray::number(n));
        const auto data = urls({QUrl::fromLocalFile(path)});
        const Dropped dropped = drop_on(*target, *data);
        EXPECT_TRUE(dropped.entered) << n;
        EXPECT_TRUE(dropped.accepted) << n;
        EXPECT_EQ(dropped.action, Qt::CopyAction) << n;  // never a move: the source keeps it
        EXPECT_EQ(caption(), path);
        EXPECT_EQ(text(), QString::number(n) + u'\n');
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OpenFromOutsideTest, WhatEachDropBrings) {
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    const QString first = write_file("first.txt", "first");
    const QString second = write_file("second.txt", "second");
    const QString euc_name = write_file("\xc6\xfc\xcb\xdc.txt", "euc");  // 日本.txt in EUC-JP
    QUrl euc_url(QStringLiteral("file://") +
                 QString::fromLatin1(QFile::encodeName(files.path()).toPercentEncoding("/")) +
                 QStringLiteral("/%C6%FC%CB%DC.txt"));
    QDir(files.path()).mkdir(QStringLiteral("フォルダー"));
    struct Case {
        const char* name;
        QList<QUrl> dropped;
        QString caption;       // empty: kept
        QString message_part;  // empty: no message
    };
    const Case cases[] = {
        {"several files", {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}, first, {}},
        {"a name that is not UTF-8", {euc_url}, euc_name, {}},
        {"localhost",
         {QUrl(QStringLiteral("file://localhost") + QUrl::fromLocalFile(second).path())},
         second,
         {}},
        {"a folder",
         {QUrl::fromLocalFile(files.filePath(QStringLiteral("フォルダー")))},
         {},
         QStringLiteral("フォルダーは開けません。")},
        {"a web address",
         {QUrl(QStringLiteral("https://example.com/a.txt"))},
         {},
         QStringLiteral("このコンピューター上のファイルではない")},
        {"another host's file",
         {QUrl(QStringLiteral("file://fileserver/share/a.txt"))},
         {},
         QStringLiteral("このコンピューター上のファイルではない")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program.form().setWindowTitle(QStringLiteral("before"));
        messages.clear();
        const auto data = urls(c.dropped);
        EXPECT_TRUE(drop_on(program.form().text1(), *data).accepted);
        EXPECT_EQ(caption(), c.caption.isEmpty() ? QStringLiteral("before") : c.caption);
        if (c.message_part.isEmpty()) {
            EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        } else {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages[0].contains(c.message_part)) << messages[0].toStdString();
        }
    }
    // QTemporaryDir cannot remove a name Qt cannot spell.
    std::remove((QFile::encodeName(files.path()) + "/\xc6\xfc\xcb\xdc.txt").constData());
}

TEST_F(OpenFromOutsideTest, TextAndMovesAreNotTakenForFiles) {
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    QPlainTextEdit& text1 = program.form().text1();
    // A source that can only move would delete the file once the drop is taken.
    const QString path = write_file("moved.txt", "moved");
    const auto file = urls({QUrl::fromLocalFile(path)});
    const Dropped move_only = drop_on(*text1.viewport(), *file, Qt::MoveAction);
    EXPECT_FALSE(move_only.entered);
    EXPECT_FALSE(move_only.accepted);
    EXPECT_EQ(caption(), QStringLiteral("Form1"));
    // Text from another program goes into the box as it always did.
    QMimeData words;
    words.setText(QStringLiteral("落とした文字"));
    text1.selectAll();
    EXPECT_TRUE(drop_on(*text1.viewport(), words).accepted);
    EXPECT_TRUE(text().contains(QStringLiteral("落とした文字"))) << text().toStdString();
    EXPECT_EQ(caption(), QStringLiteral("Form1"));
}

TEST_F(OpenFromOutsideTest, ADropWhileTheOpenDialogIsUpIsRefused) {
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    const QString path = write_file("late.txt", "late");
    const auto data = urls({QUrl::fromLocalFile(path)});
    bool dropped_during_dialog = false;
    qt_test::ModalWatch dialog_watch([&](QWidget& shown) {
        if (qobject_cast<QFileDialog*>(&shown) == nullptr)
            return;
        dropped_during_dialog = drop_on(program.form(), *data).accepted;
        qt_test::answer_open(shown, QString());
    });
    program.core().on_menu_click(window::MenuItem::IDM_open);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dropped_during_dialog);
    EXPECT_EQ(caption(), QStringLiteral("Form1"));
    drop_on(program.form(), *data);
    EXPECT_EQ(caption(), path);
}

}  // namespace
