// The command menu on Qt: opened by Shift + right press only, its entries, and choosing them.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"

namespace {

using platform::qt::QtProgram;

struct PopupTest : ::testing::Test {
    QtProgram program;
    QPoint press_point{60, 40};  // inside the text box, in window coordinates

    void SetUp() override {
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }

    // Presses through the window system, so Qt also raises its context menu event.
    void press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(program.form().windowHandle(), button, modifiers, press_point);
        QTest::mouseRelease(program.form().windowHandle(), button, modifiers, press_point);
        QTest::qWait(30);
    }
};

QAction* action_named(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Chooses the entry as a user would: a left click on it.
void click_entry(QMenu& menu, const QString& text) {
    QAction* action = action_named(menu, text);
    ASSERT_NE(action, nullptr) << text.toStdString();
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
}

TEST_F(PopupTest, ShiftRightPressShowsOurMenuAtThePointerAndNothingAfterIt) {
    QStringList popups;
    QStringList captions;  // each item's role and check mark: accessibility_test.cpp
    QPoint menu_position;
    qt_test::ModalWatch watch([&](QWidget& shown) {
        popups << shown.objectName();
        if (auto* menu = qobject_cast<QMenu*>(&shown); menu && popups.size() == 1) {
            menu_position = menu->pos();
            for (const QAction* action : menu->actions())
                captions << action->text();
        }
        shown.close();
    });
    press(Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(popups, QStringList{QStringLiteral("hoppu")});
    const QStringList expected{
        QStringLiteral("開く"),
        QStringLiteral("保存"),
        QStringLiteral("上書き保存"),
        QString(),
        QStringLiteral("フォント"),
        QStringLiteral("常にケロミナする"),
        QString(),
        QStringLiteral("終わる"),
    };
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(menu_position, program.form().mapToGlobal(press_point));
}

TEST_F(PopupTest, OtherPressesNeverShowOurMenu) {
    struct Press {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool edit_menu;  // the text box's own menu, which a right-click keeps
    };
    const Press presses[] = {
        {Qt::RightButton, Qt::NoModifier, true},
        {Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, true},
        {Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, true},
        {Qt::LeftButton, Qt::ShiftModifier, false},
        {Qt::MiddleButton, Qt::ShiftModifier, false},
    };
    for (const Press& p : presses) {
        QStringList popups;
        qt_test::ModalWatch watch([&](QWidget& shown) {
            auto* menu = qobject_cast<QMenu*>(&shown);
            popups << (menu == nullptr ? shown.objectName()
                       : action_named(*menu, QStringLiteral("開く")) != nullptr
                           ? QStringLiteral("ours")
                           : QStringLiteral("edit"));
            shown.close();
        });
        press(p.button, p.modifiers);
        const QStringList expected =
            p.edit_menu ? QStringList{QStringLiteral("edit")} : QStringList{};
        EXPECT_EQ(popups, expected) << int(p.button) << " " << int(p.modifiers);
    }
}

TEST_F(PopupTest, APlainRightClickGivesTheJapaneseEditMenuWithWhatTheBoxAllows) {
    QGuiApplication::clipboard()->setText(QStringLiteral("貼る"));
    QStringList items;  // caption, and "-" when greyed; a separator has none
    qt_test::ModalWatch watch([&](QWidget& shown) {
        auto& menu = static_cast<QMenu&>(shown);
        for (const QAction* action : menu.actions())
            items << action->text() + (action->isEnabled() ? "" : "-");
        click_entry(menu, QStringLiteral("すべて選択(&A)"));
    });
    press(Qt::RightButton, Qt::NoModifier);
    const QStringList expected{
        QStringLiteral("元に戻す(&U)-"),
        QString(),
        QStringLiteral("切り取り(&T)-"),
        QStringLiteral("コピー(&C)-"),
        QStringLiteral("貼り付け(&P)"),
        QStringLiteral("削除(&D)-"),
        QString(),
        QStringLiteral("すべて選択(&A)"),
    };
    EXPECT_EQ(items, expected);
    const platform::qt::Text1Box& box = program.form().text1();
    EXPECT_EQ(box.send(SCI_GETSELECTIONSTART), 0);
    EXPECT_EQ(box.send(SCI_GETSELECTIONEND), box.send(SCI_GETLENGTH));
    QGuiApplication::clipboard()->clear();
}

TEST_F(PopupTest, SaveItemsChangeNothingAndTheTopItemFlipsItsCheckMark) {
    const std::u16string text = program.text_box().text();
    std::vector<bool> checked_shown;
    QStringList choices{QStringLiteral("保存"), QStringLiteral("上書き保存"),
                        QStringLiteral("常にケロミナする"), QStringLiteral("常にケロミナする")};
    for (const QString& choice : choices) {
        qt_test::ModalWatch watch([&](QWidget& shown) {
            auto& menu = static_cast<QMenu&>(shown);
            checked_shown.push_back(
                action_named(menu, QStringLiteral("常にケロミナする"))->isChecked());
            click_entry(menu, choice);
        });
        press(Qt::RightButton, Qt::ShiftModifier);
        EXPECT_EQ(watch.seen(), 1) << choice.toStdString();
    }
    EXPECT_EQ(checked_shown, (std::vector<bool>{true, true, true, false}));
    EXPECT_TRUE(program.core().hoppu().top_on_checked());
    EXPECT_EQ(program.text_box().text(), text);
    EXPECT_EQ(program.form().windowTitle(), QStringLiteral("Form1"));
    EXPECT_TRUE(program.form().isVisible());
}

TEST_F(PopupTest, EndItemEndsTheProgramAtOnceWithSuccess) {
    qt_test::ModalWatch watch(
        [&](QWidget& shown) { click_entry(static_cast<QMenu&>(shown), QStringLiteral("終わる")); });
    const int code =
        qt_test::exit_code_of_main_loop([&] { press(Qt::RightButton, Qt::ShiftModifier); });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(program.form().isVisible());
}

}  // namespace
