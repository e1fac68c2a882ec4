// The events the Scintilla text box raises for assistive technology, in UTF-16 offsets: its
// changes, caret moves and selections, and none built while no one listens. What it answers is
// checked on the program's own box (accessibility_test.cpp).
#include <gtest/gtest.h>

#include <QAccessible>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/text_box_accessible_events.h"
#include "scintilla_box.h"

namespace {

using platform::qt::TextBoxAccessibleEvents;
using qt_test::ScintillaBox;

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
