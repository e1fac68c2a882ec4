// The Scintilla text box through Qt's accessibility: its states, the text
// interface's answers for a short Japanese text in UTF-16 offsets, edits through the editable
// text interface, and the events its changes and caret moves raise.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/text_box_accessible.h"
#include "platform/qt/text_box_accessible_events.h"
#include "scintilla_box.h"

namespace {

using platform::qt::TextBoxAccessibleEvents;
using qt_test::ScintillaBox;

// Line 0 is offsets 0-21 with its CR LF, line 1 22-34 (𠮷 and 😀 two units each), line 2 35-37.
const QString text =
    QStringLiteral("今日は良い天気です。散歩に行きましょう。\r\n𠮷野家で😀を食べた\r\nend");

struct AccessibleTextTest : ::testing::Test {
    // Before any box is made: Qt keeps the interface it first made for an object.
    static void SetUpTestSuite() { platform::qt::expose_text_box_as_editable_text(); }

    ScintillaBox box{240, 200};
    QAccessibleInterface* accessible = nullptr;
    QAccessibleTextInterface* text_interface = nullptr;
    int start_ = -1;
    int end_ = -1;

    void SetUp() override {
        box.send(SCI_SETWRAPMODE, SC_WRAP_WORD);
        box.set_text(text);
        // Shown, so the box's rows are wrapped.
        box.widget().viewport()->repaint();
        QCoreApplication::processEvents();
        accessible = QAccessible::queryAccessibleInterface(&box.widget());
        ASSERT_NE(accessible, nullptr);
        text_interface = accessible->textInterface();
        ASSERT_NE(text_interface, nullptr);
    }
};

// Its role, name and description are checked on the program's own box (accessibility_test.cpp).
TEST_F(AccessibleTextTest, IsEditableUntilMadeReadOnly) {
    EXPECT_TRUE(accessible->state().editable);
    EXPECT_TRUE(accessible->state().multiLine);
    EXPECT_EQ(accessible->childCount(), 0);
    ASSERT_NE(accessible->editableTextInterface(), nullptr);
    box.send(SCI_SETREADONLY, 1);
    EXPECT_TRUE(accessible->state().readOnly);
    EXPECT_FALSE(accessible->state().editable);
    accessible->editableTextInterface()->insertText(0, QStringLiteral("x"));
    EXPECT_EQ(box.text(), text);
}

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
    EXPECT_EQ(box.send(SCI_GETCURRENTPOS), box.position_of(29));
    // A letter typed before the caret moves it on by one.
    box.send(SCI_INSERTTEXT, static_cast<uptr_t>(box.position_of(22)),
             reinterpret_cast<sptr_t>("a"));
    EXPECT_EQ(text_interface->cursorPosition(), 30);
    box.send(SCI_DELETERANGE, static_cast<uptr_t>(box.position_of(22)), 1);

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

TEST_F(AccessibleTextTest, EditsAreMadeAtUtf16OffsetsAndCountsFollowEdits) {
    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    ASSERT_NE(editable, nullptr);
    editable->insertText(24, QStringLiteral("田"));
    editable->replaceText(0, 2, QStringLiteral("明日"));
    editable->deleteText(28, 30);  // 😀, moved one on by 田
    const QString edited =
        QStringLiteral("明日は良い天気です。散歩に行きましょう。\r\n𠮷田野家でを食べた\r\nend");
    EXPECT_EQ(box.text(), edited);
    EXPECT_EQ(text_interface->characterCount(), edited.size());
    box.send(SCI_UNDO);
    EXPECT_TRUE(box.text().contains(QStringLiteral("😀")));
    EXPECT_EQ(text_interface->characterCount(), edited.size() + 2);
    // Removed with no undo history, which keeps no copy of what it removes.
    box.send(SCI_SETUNDOCOLLECTION, 0);
    box.send(SCI_DELETERANGE, static_cast<uptr_t>(box.position_of(22)), 4);  // 𠮷
    EXPECT_EQ(text_interface->characterCount(), edited.size());
    EXPECT_EQ(text_interface->textAtOffset(22, QAccessible::CharBoundary, &start_, &end_),
              QStringLiteral("田"));
}

// What the events carry, copied out as they are raised.
struct Told {
    QAccessible::Event type;
    int offset;
    QString text;
    int end = 0;
};

struct AccessibleEventsTest : ::testing::Test {
    ScintillaBox box{240, 200};
    std::vector<Told> told;
    bool listening = true;
    TextBoxAccessibleEvents events{
        box.widget(),
        {[this] { return listening; }, [this](QAccessibleEvent& event) { record(event); }}};

    void record(QAccessibleEvent& event) {
        switch (event.type()) {
            case QAccessible::TextInserted: {
                auto& inserted = static_cast<QAccessibleTextInsertEvent&>(event);
                told.push_back({event.type(), inserted.changePosition(), inserted.textInserted()});
                break;
            }
            case QAccessible::TextRemoved: {
                auto& removed = static_cast<QAccessibleTextRemoveEvent&>(event);
                told.push_back({event.type(), removed.changePosition(), removed.textRemoved()});
                break;
            }
            case QAccessible::TextCaretMoved:
                told.push_back({event.type(),
                                static_cast<QAccessibleTextCursorEvent&>(event).cursorPosition(),
                                QString()});
                break;
            case QAccessible::TextSelectionChanged: {
                auto& selection = static_cast<QAccessibleTextSelectionEvent&>(event);
                told.push_back({event.type(), selection.selectionStart(), QString(),
                                selection.selectionEnd()});
                break;
            }
            default:
                break;
        }
    }
    void settle() { QCoreApplication::processEvents(); }
};

TEST_F(AccessibleEventsTest, ChangesAndCaretMovesAreToldInUtf16Offsets) {
    box.set_text(QStringLiteral("𠮷野家"));
    settle();
    told.clear();
    struct Case {
        const char* what;
        std::function<void()> action;
        Told expected;
    };
    const Case cases[] = {
        {"typing after 𠮷",
         [&] {
             box.send(SCI_GOTOPOS, static_cast<uptr_t>(box.position_of(2)));
             settle();
             told.clear();
             box.send(SCI_ADDTEXT, 6, reinterpret_cast<sptr_t>("日本"));
         },
         {QAccessible::TextInserted, 2, QStringLiteral("日本")}},
        {"deleting 本",
         [&] { box.send(SCI_DELETERANGE, static_cast<uptr_t>(box.position_of(3)), 3); },
         {QAccessible::TextRemoved, 3, QStringLiteral("本")}},
        {"the caret moved after 野",
         [&] {
             box.send(SCI_GOTOPOS, static_cast<uptr_t>(box.position_of(5)));
             settle();
         },
         {QAccessible::TextCaretMoved, 5, QString()}},
        {"a selection of 日野",
         [&] {
             box.send(SCI_SETSEL, static_cast<uptr_t>(box.position_of(2)), box.position_of(4));
             settle();
         },
         {QAccessible::TextSelectionChanged, 2, QString(), 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        told.clear();
        c.action();
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.front().type, c.expected.type);
        EXPECT_EQ(told.front().offset, c.expected.offset);
        EXPECT_EQ(told.front().text, c.expected.text);
        EXPECT_EQ(told.front().end, c.expected.end);
    }
}

TEST_F(AccessibleEventsTest, AWholeFileIsToldByItsStartAndNothingIsBuiltWithNoOneListening) {
    const QString file = QString(3 << 20, QLatin1Char('a'));
    box.set_text(file);
    ASSERT_FALSE(told.empty());
    const Told& inserted = told.back();
    EXPECT_EQ(inserted.type, QAccessible::TextInserted);
    EXPECT_EQ(inserted.offset, 0);
    EXPECT_EQ(inserted.text.size(), 1 << 20);

    told.clear();
    listening = false;
    box.set_text(QStringLiteral("x"));
    settle();
    EXPECT_TRUE(told.empty());
}

}  // namespace
