// The open and font dialogs on Qt, answered from a timer (refused files: hostile_qt_test.cpp).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"

namespace {

using platform::qt::QtProgram;
using qt_test::answer_open;
using window::MenuItem;

struct DialogsTest : ::testing::Test {
    qt_test::TemporaryHome home;
    QTemporaryDir files;
    QtProgram program;

    void SetUp() override {
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }
    QString write_file(const QString& name, const QByteArray& bytes) {
        const QString path = files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString text() { return platform::qt::qstring_from_u16(program.text_box().text()); }
    QString caption() { return program.form().windowTitle(); }
};

TEST_F(DialogsTest, OpenStartsAtHomeOffersTheFiltersAndShowsTheChosenFile) {
    const QString path = write_file(QStringLiteral("日本語 メモ😀.txt"), "a\nb\r\nc");
    QStringList filters_shown;
    QString directory;
    QFileDialog::FileMode mode{};
    qt_test::ModalWatch watch([&](QWidget& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        directory = dialog->directory().absolutePath();
        mode = dialog->fileMode();
        const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            filters_shown << types->itemText(i);
        answer_open(shown, path);
    });
    program.core().on_menu_click(MenuItem::IDM_open);
    EXPECT_EQ(directory, QDir(home.path()).absolutePath());
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    const QStringList expected{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini)"),
                               QStringLiteral("HTMLﾌｧｲﾙ(*.htm)"),
                               QStringLiteral("すべてのﾌｧｲﾙ(*.*)")};
    EXPECT_EQ(filters_shown, expected);
    EXPECT_EQ(caption(), path);
    EXPECT_EQ(text(), QStringLiteral("a\r\nb\r\nc\r\n"));
}

TEST_F(DialogsTest, NextOpenStartsInTheLastFolderAndCancelKeepsEverything) {
    const QString path = write_file(QStringLiteral("first.ini"), "x=1\n");
    {
        qt_test::ModalWatch watch([&](QWidget& shown) { answer_open(shown, path); });
        program.core().on_menu_click(MenuItem::IDM_open);
    }
    QString directory;
    {
        qt_test::ModalWatch watch([&](QWidget& shown) {
            directory = qobject_cast<QFileDialog*>(&shown)->directory().absolutePath();
            answer_open(shown, QString());
        });
        program.core().on_menu_click(MenuItem::IDM_open);
    }
    EXPECT_EQ(directory, QDir(files.path()).absolutePath());
    EXPECT_EQ(caption(), path);
    EXPECT_EQ(text(), QStringLiteral("x=1\r\n"));
}

// A family with a real bold italic style, which the dialog can select.
std::optional<std::pair<QString, QString>> bold_italic_style() {
    for (const QString& family : QFontDatabase::families()) {
        for (const QString& style : QFontDatabase::styles(family)) {
            if (QFontDatabase::bold(family, style) && QFontDatabase::italic(family, style)) {
                return std::pair{family, style};
            }
        }
    }
    return std::nullopt;
}

// The box's font as Scintilla draws it, sizes in hundredths of a point.
host::FontChoice drawn_font(const platform::qt::Text1Box& box) {
    char face[256] = {};
    box.sends(SCI_STYLEGETFONT, STYLE_DEFAULT, face);
    return {platform::qt::u16_from_qstring(QString::fromUtf8(face)),
            box.send(SCI_STYLEGETWEIGHT, STYLE_DEFAULT) >= SC_WEIGHT_BOLD,
            box.send(SCI_STYLEGETITALIC, STYLE_DEFAULT) != 0,
            static_cast<float>(box.send(SCI_STYLEGETSIZEFRACTIONAL, STYLE_DEFAULT)) / 100};
}

TEST_F(DialogsTest, FontDialogStartsAtTheTextBoxFontAndAppliesTheChoice) {
    const auto found = bold_italic_style();
    if (!found)
        GTEST_SKIP() << "no font with a bold italic style is installed";
    const auto bold_italic = *found;
    // Sizes in fractions of a point are drawn so; QFontDialog itself offers whole points.
    program.text_box().set_font_size(10.5f);
    EXPECT_EQ(drawn_font(program.form().text1()).size, 10.5f);
    program.text_box().set_font_size(11);
    const QString initial_family = platform::qt::qstring_from_u16(program.text_box().font_name());
    QFont preset;
    int visible_effects = -1;
    qt_test::ModalWatch watch([&](QWidget& shown) {
        auto& dialog = *qobject_cast<QFontDialog*>(&shown);
        preset = dialog.currentFont();
        visible_effects = 0;
        for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            if (box->isVisibleTo(&dialog))
                ++visible_effects;
        }
        QFont chosen = QFontDatabase::font(bold_italic.first, bold_italic.second, 14);
        chosen.setPointSizeF(14);
        dialog.setCurrentFont(chosen);
        dialog.accept();
    });
    program.core().on_menu_click(MenuItem::IDM_font_set);
    EXPECT_EQ(preset.family(), initial_family);
    EXPECT_EQ(preset.pointSizeF(), 11);
    EXPECT_EQ(visible_effects, 0);  // no underline or strikeout on offer
    const host::FontChoice chosen{platform::qt::u16_from_qstring(bold_italic.first), true, true,
                                  14};
    EXPECT_EQ(drawn_font(program.form().text1()), chosen);
    EXPECT_EQ(program.text_box().font_name(), chosen.name);
    EXPECT_EQ(program.text_box().font_size(), chosen.size);
}

TEST_F(DialogsTest, CancelledFontDialogKeepsTheFontBeforeAndAfterAnOpen) {
    const host::FontChoice before = drawn_font(program.form().text1());
    const auto cancel_font = [&] {
        qt_test::ModalWatch watch(
            [](QWidget& shown) { qobject_cast<QFontDialog*>(&shown)->reject(); });
        program.core().on_menu_click(MenuItem::IDM_font_set);
        EXPECT_EQ(watch.seen(), 1);
    };
    cancel_font();
    EXPECT_EQ(drawn_font(program.form().text1()), before);
    {
        qt_test::ModalWatch watch([](QWidget& shown) { answer_open(shown, QString()); });
        program.core().on_menu_click(MenuItem::IDM_open);
    }
    cancel_font();
    EXPECT_EQ(drawn_font(program.form().text1()), before);
    EXPECT_TRUE(program.form().isVisible());
}

}  // namespace
