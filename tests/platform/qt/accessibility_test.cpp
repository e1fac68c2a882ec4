// What assistive technology is told of Form1, Text1 and the command menu, through Qt's
// accessibility interfaces (what the AT-SPI bridge reads on a desktop): Text1's states, its text
// interface's answers in UTF-16 offsets and edits through its editable text interface.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"

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

// Line 0 is offsets 0-21 with its CR LF, line 1 22-34 (𠮷 and 😀 two units each), line 2 35-37.
const QString text =
    QStringLiteral("今日は良い天気です。散歩に行きましょう。\r\n𠮷野家で😀を食べた\r\nend");

// Text1's text interface on a short Japanese text, in a box narrow enough to wrap it.
struct AccessibleTextTest : AccessibilityTest {
    QAccessibleInterface* text1 = nullptr;
    QAccessibleTextInterface* text_interface = nullptr;

    void SetUp() override {
        AccessibilityTest::SetUp();
        program.form().resize(240, 200);
        program.text_box().set_text(text.toStdU16String());
        box().viewport()->repaint();  // lays out and wraps the rows shown
        QCoreApplication::processEvents();
        text1 = &accessible(box());
        text_interface = text1->textInterface();
        ASSERT_NE(text_interface, nullptr);
    }
    platform::qt::Text1Box& box() { return program.form().text1(); }
    QString box_text() { return platform::qt::qstring_from_u16(program.text_box().text()); }
    sptr_t position_of(int utf16_offset) {
        return box().send(SCI_POSITIONRELATIVECODEUNITS, 0, utf16_offset);
    }
};

TEST_F(AccessibleTextTest, AnswersInUtf16OffsetsOfTheWholeText) {
    enum class Ask { at, before, after };
    struct Case {
        Ask ask;
        int offset;
        QAccessible::TextBoundaryType boundary;
        QString expected;
        int start;
        int end;
    };
    const Case cases[] = {
        {Ask::at, 22, QAccessible::CharBoundary, QStringLiteral("𠮷"), 22, 24},
        {Ask::at, 23, QAccessible::CharBoundary, QStringLiteral("𠮷"), 22, 24},
        {Ask::at, 27, QAccessible::CharBoundary, QStringLiteral("😀"), 27, 29},
        {Ask::at, 20, QAccessible::CharBoundary, QStringLiteral("\r\n"), 20, 22},
        {Ask::before, 24, QAccessible::CharBoundary, QStringLiteral("𠮷"), 22, 24},
        {Ask::after, 22, QAccessible::CharBoundary, QStringLiteral("野"), 24, 25},
        {Ask::before, 22, QAccessible::CharBoundary, QStringLiteral("\r\n"), 20, 22},
        {Ask::at, 38, QAccessible::CharBoundary, QString(), 38, 38},
        {Ask::before, 0, QAccessible::CharBoundary, QString(), 0, 0},
        {Ask::after, 37, QAccessible::CharBoundary, QString(), 38, 38},
        {Ask::at, 36, QAccessible::WordBoundary, QStringLiteral("end"), 35, 38},
        {Ask::at, 3, QAccessible::SentenceBoundary, QStringLiteral("今日は良い天気です。"), 0, 10},
        {Ask::after, 3, QAccessible::SentenceBoundary, QStringLiteral("散歩に行きましょう。\r\n"),
         10, 22},
        {Ask::at, 2, QAccessible::ParagraphBoundary,
         QStringLiteral("今日は良い天気です。散歩に行きましょう。\r\n"), 0, 22},
        {Ask::at, 30, QAccessible::ParagraphBoundary, QStringLiteral("𠮷野家で😀を食べた\r\n"), 22,
         35},
        {Ask::after, 5, QAccessible::ParagraphBoundary, QStringLiteral("𠮷野家で😀を食べた\r\n"), 22,
         35},
        {Ask::before, 36, QAccessible::ParagraphBoundary, QStringLiteral("𠮷野家で😀を食べた\r\n"),
         22, 35},
        {Ask::at, 7, QAccessible::NoBoundary, text, 0, 38},
    };
    EXPECT_EQ(text_interface->characterCount(), 38);
    EXPECT_EQ(text_interface->text(22, 26), QStringLiteral("𠮷野家"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.ask)) + " offset " +
                     std::to_string(c.offset) + " boundary " +
                     std::to_string(static_cast<int>(c.boundary)));
        int start = -1;
        int end = -1;
        const QString answer =
            c.ask == Ask::at ? text_interface->textAtOffset(c.offset, c.boundary, &start, &end)
            : c.ask == Ask::before
                ? text_interface->textBeforeOffset(c.offset, c.boundary, &start, &end)
                : text_interface->textAfterOffset(c.offset, c.boundary, &start, &end);
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
    }
}

TEST_F(AccessibleTextTest, LinesAreTheRowsShownAndMakeUpTheText) {
    QString joined;
    int rows = 0;
    for (int offset = 0; offset < text_interface->characterCount() && rows < 100; ++rows) {
        int start = -1;
        int end = -1;
        const QString row =
            text_interface->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        ASSERT_EQ(start, offset);
        ASSERT_GT(end, start);
        EXPECT_EQ(row, text.mid(start, end - start));
        joined += row;
        offset = end;
    }
    EXPECT_EQ(joined, text);
    EXPECT_GT(rows, 3);  // the first line is wrapped in a box this narrow
}

TEST_F(AccessibleTextTest, CaretSelectionAndCharacterPlacesAreInUtf16Offsets) {
    text_interface->setCursorPosition(29);
    EXPECT_EQ(text_interface->cursorPosition(), 29);
    EXPECT_EQ(box().send(SCI_GETCURRENTPOS), position_of(29));
    // A letter typed before the caret moves it on by one.
    box().send(SCI_INSERTTEXT, static_cast<uptr_t>(position_of(22)), reinterpret_cast<sptr_t>("a"));
    EXPECT_EQ(text_interface->cursorPosition(), 30);
    box().send(SCI_DELETERANGE, static_cast<uptr_t>(position_of(22)), 1);

    text_interface->setSelection(0, 22, 26);
    EXPECT_EQ(text_interface->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text_interface->selection(0, &start, &end);
    EXPECT_EQ(start, 22);
    EXPECT_EQ(end, 26);
    text_interface->removeSelection(0);
    EXPECT_EQ(text_interface->selectionCount(), 0);

    const QRect first = text_interface->characterRect(0);
    const QRect second = text_interface->characterRect(1);
    EXPECT_GT(first.width(), 0);
    EXPECT_GT(first.height(), 0);
    EXPECT_EQ(second.top(), first.top());
    EXPECT_NEAR(second.left(), first.left() + first.width(), 1);
    for (const int offset : {0, 3, 22, 27}) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(text_interface->offsetAtPoint(text_interface->characterRect(offset).center()),
                  offset);
    }
}

TEST_F(AccessibleTextTest, EditsAreMadeAtUtf16OffsetsAndCountsFollowEditsUntilReadOnly) {
    EXPECT_TRUE(text1->state().editable);
    EXPECT_TRUE(text1->state().multiLine);
    EXPECT_EQ(text1->childCount(), 0);
    QAccessibleEditableTextInterface* editable = text1->editableTextInterface();
    ASSERT_NE(editable, nullptr);
    editable->insertText(24, QStringLiteral("田"));
    editable->replaceText(0, 2, QStringLiteral("明日"));
    editable->deleteText(28, 30);  // 😀, moved one on by 田
    const QString edited =
        QStringLiteral("明日は良い天気です。散歩に行きましょう。\r\n𠮷田野家でを食べた\r\nend");
    EXPECT_EQ(box_text(), edited);
    EXPECT_EQ(text_interface->characterCount(), edited.size());
    box().send(SCI_UNDO);
    EXPECT_TRUE(box_text().contains(QStringLiteral("😀")));
    EXPECT_EQ(text_interface->characterCount(), edited.size() + 2);
    // Removed with no undo history, which keeps no copy of what it removes.
    box().send(SCI_SETUNDOCOLLECTION, 0);
    box().send(SCI_DELETERANGE, static_cast<uptr_t>(position_of(22)), 4);  // 𠮷
    EXPECT_EQ(text_interface->characterCount(), edited.size());
    int start = -1;
    int end = -1;
    EXPECT_EQ(text_interface->textAtOffset(22, QAccessible::CharBoundary, &start, &end),
              QStringLiteral("田"));

    box().send(SCI_SETREADONLY, 1);
    EXPECT_TRUE(text1->state().readOnly);
    EXPECT_FALSE(text1->state().editable);
    editable->insertText(0, QStringLiteral("x"));
    EXPECT_FALSE(box_text().startsWith(u'x'));
}

}  // namespace
