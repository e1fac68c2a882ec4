// Form1 on Qt with real widgets: start-up, layout on resize, stay-on-top and quitting.
#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <functional>

#include "core/window/instruction_text.h"
#include "modal_watch.h"
#include "platform/qt/qt_program.h"

namespace {

using platform::qt::QtProgram;

bool stays_on_top(QtProgram& program) {
    return program.form().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

struct FormTest : ::testing::Test {
    QtProgram program;
    QWidget& form = program.form();

    void SetUp() override {
        EXPECT_FALSE(form.isVisible());
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

TEST_F(FormTest, StartsShownOnTopWithTheInstructionFillingTheClientArea) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form1"));
    EXPECT_TRUE(stays_on_top(program));
    const float per_pixel = program.form().twips_per_pixel_x();
    EXPECT_EQ(form.size(), QSize(qRound(5910 / per_pixel), qRound(4305 / per_pixel)));

    EXPECT_EQ(program.form().text1().geometry(), form.rect());
    EXPECT_EQ(program.text_box().text(), window::instruction_text);
}

TEST_F(FormTest, TextBoxFollowsEveryResizeMaximiseAndRestore) {
    for (const QSize size : {QSize(640, 480), QSize(120, 40), QSize(1, 1), QSize(394, 287)}) {
        form.resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(program.form().text1().geometry(), form.rect()) << size.width();
    }
    form.showMaximized();
    QTRY_VERIFY(form.windowState().testFlag(Qt::WindowMaximized));
    QCoreApplication::processEvents();
    EXPECT_EQ(program.form().text1().geometry(), form.rect());
    form.showNormal();
    QTRY_VERIFY(!form.windowState().testFlag(Qt::WindowMaximized));
    QCoreApplication::processEvents();
    EXPECT_EQ(program.form().text1().geometry(), form.rect());
}

// The box's colours as Scintilla draws them, 0xBBGGRR.
std::vector<sptr_t> drawn_colours(const platform::qt::Text1Box& box) {
    const auto element = [&](int which) {
        return box.send(SCI_GETELEMENTCOLOUR, which) & 0xFFFFFF;
    };
    return {box.send(SCI_STYLEGETFORE, 0),      box.send(SCI_STYLEGETBACK, 0),
            box.send(SCI_STYLEGETBACK, 1),      element(SC_ELEMENT_SELECTION_TEXT),
            element(SC_ELEMENT_SELECTION_BACK), element(SC_ELEMENT_CARET)};
}

std::vector<sptr_t> palette_colours(const QPalette& palette) {
    const auto bgr = [&](QPalette::ColorRole role) -> sptr_t {
        const QColor colour = palette.color(QPalette::Active, role);
        return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
    };
    return {bgr(QPalette::Text),      bgr(QPalette::Base),
            bgr(QPalette::Base),      bgr(QPalette::HighlightedText),
            bgr(QPalette::Highlight), bgr(QPalette::Text)};
}

TEST_F(FormTest, TheTextBoxTakesTheSystemsColoursAndFollowsTheirChange) {
    platform::qt::Text1Box& box = program.form().text1();
    EXPECT_EQ(drawn_colours(box), palette_colours(box.palette()));
    QPalette changed = program.form().palette();
    changed.setColor(QPalette::Text, QColor(0x10, 0x20, 0x30));
    changed.setColor(QPalette::Base, QColor(0x40, 0x50, 0x60));
    changed.setColor(QPalette::Highlight, QColor(0x70, 0x80, 0x90));
    changed.setColor(QPalette::HighlightedText, QColor(0xA0, 0xB0, 0xC0));
    program.form().setPalette(changed);
    EXPECT_EQ(drawn_colours(box), palette_colours(changed));
}

TEST_F(FormTest, ToggleFollowsTheCheckMarkWithoutRecreatingMovingOrHiding) {
    form.move(50, 70);
    QCoreApplication::processEvents();
    const QRect geometry = form.geometry();
    const QWindow* native = form.windowHandle();
    const WId id = form.winId();
    for (int i = 0; i < 5; ++i) {
        program.core().on_menu_click(window::MenuItem::IDM_top_on_set);
        QCoreApplication::processEvents();
        const bool checked = program.core().hoppu().top_on_checked();
        EXPECT_EQ(checked, i % 2 == 1);
        EXPECT_EQ(stays_on_top(program), checked);
        EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), checked);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.geometry(), geometry);
        EXPECT_EQ(form.windowHandle(), native);
        EXPECT_EQ(form.winId(), id);
    }
}

TEST_F(FormTest, QuitAndTheCloseBoxHideTheWindowAndEndTheProgramWithSuccess) {
    const std::function<void()> ways[] = {
        [&] { program.core().on_menu_click(window::MenuItem::IDM_end_set); },
        [&] { form.close(); }};
    for (const auto& way : ways) {
        form.show();
        EXPECT_EQ(qt_test::exit_code_of_main_loop(way), 0);
        EXPECT_FALSE(form.isVisible());
    }
}

}  // namespace
