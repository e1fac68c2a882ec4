// Files dropped on the Linux program's window, whichever widget takes the drop (its command line
// is tested end to end).
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "text/posix/native_path.h"

namespace {

using platform::qt::QtProgram;

// Whether the drag was taken as it came in and as it was dropped, and how.
std::tuple<bool, bool, Qt::DropAction> drop_on(QWidget& target, const QMimeData& data,
                                               Qt::DropActions possible) {
    QDragEnterEvent enter(QPoint(20, 20), possible, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(20, 20), possible, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    QCoreApplication::processEvents();  // the open waits for the drop to return
    return {enter.isAccepted(), drop.isAccepted(), drop.dropAction()};
}

struct OpenFromOutsideTest : ::testing::Test {
    QTemporaryDir files;
    QByteArray folder = QFile::encodeName(files.path());
    QtProgram program;
    QStringList messages;  // error boxes shown, answered as they come
    std::function<void()> while_box_is_up = [] {};
    qt_test::ModalWatch watch{[this](QWidget& shown) {
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            messages << box->text();
            while_box_is_up();
            box->accept();
        }
    }};

    ~OpenFromOutsideTest() override {
        std::remove((folder + "/\xc6\xfc.txt").constData());  // QTemporaryDir cannot name it
    }
    // The file's path as the program names it, whatever bytes its name is.
    QString write_file(const QByteArray& name, const QByteArray& bytes) {
        FILE* const file = std::fopen((folder + '/' + name).constData(), "wb");
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
        std::fclose(file);
        return platform::qt::qstring_from_u16(
            text::path_from_native((folder + '/' + name).toStdString()));
    }
    QString caption() { return program.form().windowTitle(); }
    QString text() { return platform::qt::qstring_from_u16(program.text_box().text()); }
};

TEST_F(OpenFromOutsideTest, WhatADropBringsWhereverItLands) {
    program.start();
    QWidget* const form = &program.form();
    QWidget* const box = &program.form().text1();
    QWidget* const viewport = program.form().text1().viewport();  // where a real drop lands
    const QString first = write_file("一.txt", "1");
    const QString euc = write_file("\xc6\xfc.txt", "2");  // 日 in EUC-JP: not UTF-8
    const QUrl first_url = QUrl::fromLocalFile(first);
    const QUrl euc_url(QStringLiteral("file://") + QString::fromUtf8(folder) + "/%C6%FC.txt");
    const QUrl localhost(QStringLiteral("file://localhost") + first);
    const QUrl web(QStringLiteral("https://example.com/a.txt"));
    const QUrl other_host(QStringLiteral("file://server/a.txt"));
    const QString not_local = QStringLiteral("このコンピューター上のファイルではない");
    const Qt::DropActions any = Qt::CopyAction | Qt::MoveAction;
    struct Case {
        QWidget* target;
        QList<QUrl> urls;
        Qt::DropActions possible;
        QString caption;  // empty: kept
        QString message;  // empty: none
    };
    const Case cases[] = {
        {form, {first_url}, any, first, {}},
        {box, {first_url, euc_url}, any, first, {}},
        {viewport, {euc_url}, any, euc, {}},
        {box, {localhost}, any, first, {}},
        {box, {web}, any, {}, not_local},
        {box, {other_host}, any, {}, not_local},
        {viewport, {first_url}, Qt::MoveAction, {}, {}},  // a move would delete the source
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.urls[0].toString().toStdString());
        program.form().setWindowTitle(QStringLiteral("before"));
        messages.clear();
        QMimeData data;
        data.setUrls(c.urls);
        const auto [entered, dropped, action] = drop_on(*c.target, data, c.possible);
        const bool taken = c.possible.testFlag(Qt::CopyAction);
        EXPECT_EQ(entered, taken);
        EXPECT_EQ(dropped, taken);
        EXPECT_EQ(action, taken ? Qt::CopyAction : Qt::MoveAction);
        EXPECT_EQ(caption(), c.caption.isEmpty() ? QStringLiteral("before") : c.caption);
        EXPECT_EQ(messages.size(), c.message.isEmpty() ? 0 : 1);
        EXPECT_TRUE(messages.join(u'\n').contains(c.message));
    }
    // Text from another program goes into the box as it always did.
    QMimeData words;
    words.setText(QStringLiteral("落とした文字"));
    EXPECT_TRUE(std::get<1>(drop_on(*viewport, words, any)));
    EXPECT_TRUE(text().contains(QStringLiteral("落とした文字")));
    EXPECT_EQ(caption(), QStringLiteral("before"));
}

TEST_F(OpenFromOutsideTest, ADropWhileAMessageBoxIsUpIsRefused) {
    program.start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(write_file("late.txt", "late"))});
    bool taken = true;
    while_box_is_up = [&] {
        taken = std::get<0>(drop_on(*program.form().text1().viewport(), data, Qt::CopyAction));
    };
    platform::qt::QtDialogs(program.form()).show_error(u"箱");
    EXPECT_FALSE(taken);
    EXPECT_EQ(caption(), QStringLiteral("Form1"));
}

}  // namespace
