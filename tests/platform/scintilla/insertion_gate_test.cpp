// The insertion gate on a real Scintilla, through Scintilla's own messages: what it lets through,
// what it refuses, and that a refused change leaves the text, the selection and the history as
// they were.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/scintilla/box_text.h"
#include "platform/scintilla/insertion_gate.h"
#include "test_box.h"

namespace {

using platform::scintilla::ChangeKind;
using platform::scintilla::InsertionGate;
using platform::scintilla::refusal_message;
using platform::scintilla::ScintillaCall;
using platform::scintilla::Verdict;

struct Selection {
    Sci_Position anchor;
    Sci_Position caret;
    bool operator==(const Selection&) const = default;
};

class InsertionGateTest : public ::testing::Test {
  protected:
    InsertionGateTest() {
        gate_.set_limits({.box_bytes = 40, .line_bytes = 10});
        box_.on_notify = [this](const SCNotification& notification) {
            gate_.on_modified(notification);
        };
    }

    const ScintillaCall& call() { return box_.call(); }
    std::string text() {
        return {reinterpret_cast<const char*>(call()(SCI_GETCHARACTERPOINTER)),
                static_cast<std::size_t>(call()(SCI_GETLENGTH))};
    }
    Selection selection() { return {call()(SCI_GETANCHOR), call()(SCI_GETCURRENTPOS)}; }
    void start(const std::u16string& text, Selection selected) {
        platform::scintilla::set_box_text(call(), gate_, text);
        call()(SCI_SETSEL, static_cast<uptr_t>(selected.anchor), selected.caret);
    }
    void replace_selection(const char* replacement) {
        call().with_text(SCI_REPLACESEL, 0, replacement);
    }

    scintilla_test::TestBox box_;
    InsertionGate gate_{box_.call()};
};

TEST_F(InsertionGateTest, ARefusedChangeLeavesTextSelectionAndHistoryAsTheyWere) {
    const auto message = [](ChangeKind kind, Verdict verdict) {
        return std::optional<std::u16string>(refusal_message(kind, verdict));
    };
    struct Case {
        const char* what;
        std::u16string text;
        Selection selected;
        std::function<void()> change;
        std::string text_after;  // empty: the text as it was
        std::optional<std::u16string> refusal;
    };
    const std::vector<Case> cases = {
        {"a replacement filling the line",
         u"abcde\r\nx",
         {1, 2},
         [&] { replace_selection("123456"); },
         "a123456cde\r\nx",
         std::nullopt},
        {"a replacement a byte past the line",
         u"abcde\r\nx",
         {2, 1},
         [&] { replace_selection("1234567"); },
         "",
         message(ChangeKind::typing, Verdict::line_too_long)},
        {"an insertion past the box",
         u"0123456789\r\n0123456789\r\n0123456789\r\n0",
         {32, 32},
         [&] { call().with_text(SCI_INSERTTEXT, 32, "\r\n\r\n\r\n\r\n"); },
         "",
         message(ChangeKind::typing, Verdict::box_too_large)},
        {"a paste, worded as one",
         u"abcde\r\nx",
         {1, 2},
         [&] {
             const InsertionGate::Pasting pasting(gate_);
             replace_selection("1234567");
         },
         "",
         message(ChangeKind::paste, Verdict::line_too_long)},
        {"a deletion joining lines to the limit",
         u"abcde\r\nfghij",
         {5, 5},
         [&] { call()(SCI_CLEAR); },
         "abcdefghij",
         std::nullopt},
        {"a deletion joining them past it",
         u"abcdef\r\nghijk",
         {6, 6},
         [&] { call()(SCI_CLEAR); },
         "",
         message(ChangeKind::deletion, Verdict::line_too_long)},
        {"a replacement whose deletion would join past it",
         u"abcdefgh\r\nijklmnop",
         {7, 11},
         [&] { replace_selection("\r\n"); },
         "",
         message(ChangeKind::deletion, Verdict::line_too_long)},
        {"one refusal said once",
         u"abcdefghij",
         {0, 0},
         [&] {
             call().with_text(SCI_INSERTTEXT, 0, "x");
             call().with_text(SCI_INSERTTEXT, 0, "y");
         },
         "",
         message(ChangeKind::typing, Verdict::line_too_long)},
    };
    for (const Case& c : cases) {
        start(c.text, c.selected);
        const std::string before = text();
        c.change();
        EXPECT_EQ(gate_.settle(), c.refusal) << c.what;
        EXPECT_EQ(text(), c.text_after.empty() ? before : c.text_after) << c.what;
        if (c.refusal) {
            EXPECT_EQ(selection(), c.selected) << c.what;
            EXPECT_FALSE(call()(SCI_CANUNDO)) << c.what;
            EXPECT_FALSE(call()(SCI_CANREDO)) << c.what;
        }
    }
}

// Undo and redo are not asked: they return the text to states the gate let through, whatever was
// refused in between.
TEST_F(InsertionGateTest, UndoAndRedoStepOverARefusal) {
    start(u"abcde", {5, 5});
    replace_selection("fgh");
    call()(SCI_SETSEL, 0, 8);
    replace_selection("01234567890");
    EXPECT_TRUE(gate_.settle());
    EXPECT_EQ(text(), "abcdefgh");
    call()(SCI_UNDO);
    EXPECT_EQ(text(), "abcde");
    call()(SCI_REDO);
    EXPECT_EQ(text(), "abcdefgh");
    EXPECT_EQ(gate_.settle(), std::nullopt);
}

}  // namespace
