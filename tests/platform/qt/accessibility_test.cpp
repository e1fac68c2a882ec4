// What assistive technology is told of Form1, Text1 and the command menu, through Qt's
// accessibility interfaces (what the AT-SPI bridge reads on a desktop).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>
#include <vector>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"

namespace {

using platform::qt::QtProgram;

constexpr char16_t top_on_caption[] = u"常にケロミナする";

QAccessibleInterface& accessible(QObject& object) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(&object);
    if (interface == nullptr)
        throw std::runtime_error("no accessible interface for " +
                                 object.objectName().toStdString());
    return *interface;
}

QString whole_text(QAccessibleInterface& interface) {
    QAccessibleTextInterface* text = interface.textInterface();
    return text == nullptr ? QStringLiteral("(no text interface)")
                           : text->text(0, text->characterCount());
}

struct AccessibilityTest : ::testing::Test {
    QtProgram program;

    void SetUp() override {
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }

    void shift_right_press() {
        const QPoint point(60, 40);
        QTest::mousePress(program.form().windowHandle(), Qt::RightButton, Qt::ShiftModifier, point);
        QTest::mouseRelease(program.form().windowHandle(), Qt::RightButton, Qt::ShiftModifier,
                            point);
        QTest::qWait(30);
    }
};

TEST_F(AccessibilityTest, TheWindowIsAFrameNamedByItsCaptionAndTheTextBoxHasAJapaneseName) {
    QAccessibleInterface& form = accessible(program.form());
    QAccessibleInterface& text1 = accessible(program.form().text1());
    struct Expected {
        const char* what;
        QAccessibleInterface& interface;
        QAccessible::Role role;
        QString name;
        QString description;
        QAccessible::Role parent_role;
    };
    const Expected objects[] = {
        {"Form1", form, QAccessible::Window, QStringLiteral("Form1"), QString(),
         QAccessible::Application},
        {"Text1", text1, QAccessible::EditableText, QStringLiteral("本文"),
         QStringLiteral("開いたファイルの内容です。Shift キーを押しながら右クリックするとメニューが"
                        "開きます。"),
         QAccessible::Window},
    };
    for (const Expected& e : objects) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(e.interface.role(), e.role);
        EXPECT_EQ(e.interface.text(QAccessible::Name), e.name);
        EXPECT_EQ(e.interface.text(QAccessible::Description), e.description);
        ASSERT_NE(e.interface.parent(), nullptr);
        EXPECT_EQ(e.interface.parent()->role(), e.parent_role);
    }
    EXPECT_EQ(form.indexOfChild(&text1), 0);
    EXPECT_TRUE(whole_text(text1).startsWith(QStringLiteral("ファイルを読み込んでください。")));

    // A file opened: the window's name is its path, and the text its lines.
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("メモ.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("一行目\r\n二行目");
    file.close();
    qt_test::ModalWatch watch([&](QWidget& shown) { qt_test::answer_open(shown, path); });
    program.core().on_menu_click(window::MenuItem::IDM_open);
    ASSERT_EQ(watch.seen(), 1);
    EXPECT_EQ(form.text(QAccessible::Name), path);
    EXPECT_EQ(whole_text(text1), QStringLiteral("一行目\r\n二行目\r\n"));
}

// One entry of the popup as assistive technology reads it.
struct ItemSeen {
    QAccessible::Role role;
    QString name;
    bool checkable;
    bool checked;

    bool operator==(const ItemSeen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ItemSeen& item) {
    return out << item.role << " '" << item.name.toStdString() << "' checkable " << item.checkable
               << " checked " << item.checked;
}

std::vector<ItemSeen> items_seen(QMenu& menu) {
    std::vector<ItemSeen> items;
    QAccessibleInterface& interface = accessible(menu);
    for (int i = 0; i < interface.childCount(); ++i) {
        QAccessibleInterface* child = interface.child(i);
        const QAccessible::State state = child->state();
        items.push_back({child->role(), child->text(QAccessible::Name), state.checkable != 0,
                         state.checked != 0});
    }
    return items;
}

TEST_F(AccessibilityTest, TheAlwaysOnTopItemIsCheckableAndReportsItsStateAfterEveryToggle) {
    const QString top_on = QString::fromUtf16(top_on_caption);
    const auto menu_with_top_on = [&](bool checked) {
        return std::vector<ItemSeen>{
            {QAccessible::MenuItem, QStringLiteral("開く"), false, false},
            {QAccessible::MenuItem, QStringLiteral("保存"), false, false},
            {QAccessible::MenuItem, QStringLiteral("上書き保存"), false, false},
            {QAccessible::Separator, QString(), false, false},
            {QAccessible::MenuItem, QStringLiteral("フォント"), false, false},
            {QAccessible::MenuItem, top_on, true, checked},
            {QAccessible::Separator, QString(), false, false},
            {QAccessible::MenuItem, QStringLiteral("終わる"), false, false},
        };
    };
    // Toggled from the menu itself each time, and once between popups by the command directly.
    struct Round {
        bool shown_checked;
        bool toggle_by_command_after;
    };
    const Round rounds[] = {{true, false}, {false, true}, {false, false}, {true, false}};
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.shown_checked);
        std::vector<ItemSeen> seen;
        qt_test::ModalWatch watch([&](QWidget& shown) {
            auto& menu = static_cast<QMenu&>(shown);
            seen = items_seen(menu);
            for (QAction* action : menu.actions()) {
                if (action->text() == top_on)
                    QTest::mouseClick(&menu, Qt::LeftButton, {},
                                      menu.actionGeometry(action).center());
            }
        });
        shift_right_press();
        ASSERT_EQ(watch.seen(), 1);
        EXPECT_EQ(seen, menu_with_top_on(round.shown_checked));
        EXPECT_EQ(program.core().hoppu().top_on_checked(), !round.shown_checked);
        if (round.toggle_by_command_after) {
            program.core().on_menu_click(window::MenuItem::IDM_top_on_set);
        }
    }
}

}  // namespace
