// What the Qt text box tells an input method and takes from it: the text around the caret with
// the caret and the selection in UTF-16 units, bounded on a long line, the pre-edit left out;
// reconversion replacing text around the caret; ranges from the input method kept in bounds.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTextCharFormat>
#include <string>

#include "scintilla_box.h"

namespace {

using qt_test::ScintillaBox;

struct Answers {
    QString surrounding;
    int cursor;
    int anchor;
    QString selection;
};

Answers ask(ScintillaBox& box) {
    QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition |
                                 Qt::ImAnchorPosition | Qt::ImCurrentSelection);
    QCoreApplication::sendEvent(&box.widget(), &query);
    return {query.value(Qt::ImSurroundingText).toString(),
            query.value(Qt::ImCursorPosition).toInt(), query.value(Qt::ImAnchorPosition).toInt(),
            query.value(Qt::ImCurrentSelection).toString()};
}

void send(ScintillaBox& box, QInputMethodEvent&& event) {
    QCoreApplication::sendEvent(&box.widget(), &event);
}

QInputMethodEvent preedit(const QString& text) {
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    return QInputMethodEvent(
        text, {{QInputMethodEvent::TextFormat, 0, static_cast<int>(text.size()), underlined},
               {QInputMethodEvent::Cursor, static_cast<int>(text.size()), 1, QVariant()}});
}

TEST(InputMethodTest, TheTextAroundTheCaretIsTheCaretsLineInUtf16Units) {
    const QString long_line =
        QString(100000, QChar(u'字')) + QStringLiteral("前|後") + QString(100000, QChar(u'字'));
    struct Case {
        const char* what;
        QString text;
        int caret;  // UTF-16 offsets into text
        int anchor;
        QString surrounding;  // expected; empty for the long line, checked apart
        int cursor;
        int anchor_offset;
        QString selection;
    };
    const Case cases[] = {
        {"caret in Japanese", QStringLiteral("日本語のテキスト"), 2, 2,
         QStringLiteral("日本語のテキスト"), 2, 2, QString()},
        {"after characters outside the basic plane", QStringLiteral("𠮷野家で😀を食べた"), 7, 7,
         QStringLiteral("𠮷野家で😀を食べた"), 7, 7, QString()},
        {"selection made backwards", QStringLiteral("日本語のテキスト"), 4, 8,
         QStringLiteral("日本語のテキスト"), 4, 8, QStringLiteral("テキスト")},
        {"selection across an emoji", QStringLiteral("今日は😀晴れ"), 6, 1,
         QStringLiteral("今日は😀晴れ"), 6, 1, QStringLiteral("日は😀晴")},
        {"the middle line alone", QStringLiteral("一行目\r\n二行目\r\n三行目"), 6, 6,
         QStringLiteral("二行目"), 1, 1, QString()},
        {"selection from the line before, cut at the line's start",
         QStringLiteral("一行目\r\n二行目"), 7, 1, QStringLiteral("二行目"), 2, 0,
         QStringLiteral("二行")},
        {"a long line", long_line, 100002, 100002, QString(), 0, 0, QString()},
    };
    ScintillaBox box(400, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.set_text(c.text);
        box.send(SCI_SETSEL, static_cast<uptr_t>(box.position_of(c.anchor)),
                 box.position_of(c.caret));
        const Answers answers = ask(box);
        if (c.surrounding.isEmpty()) {
            // A few hundred characters either side, with the caret where it is.
            EXPECT_LE(answers.surrounding.size(), 600);
            EXPECT_GE(answers.surrounding.size(), 200);
            EXPECT_TRUE(answers.surrounding.left(answers.cursor).endsWith(QStringLiteral("字前|")));
            EXPECT_TRUE(answers.surrounding.mid(answers.cursor).startsWith(QStringLiteral("後字")));
            EXPECT_EQ(answers.anchor, answers.cursor);
            continue;
        }
        EXPECT_EQ(answers.surrounding, c.surrounding);
        EXPECT_EQ(answers.cursor, c.cursor);
        EXPECT_EQ(answers.anchor, c.anchor_offset);
        EXPECT_EQ(answers.selection, c.selection);
    }
}

TEST(InputMethodTest, ThePreeditIsShownInlineButIsNotYetText) {
    ScintillaBox box(400, 200);
    box.set_text(QStringLiteral("今日は天気"));
    box.send(SCI_GOTOPOS, static_cast<uptr_t>(box.position_of(3)));
    send(box, preedit(QStringLiteral("よい")));
    EXPECT_EQ(box.text(), QStringLiteral("今日はよい天気"));
    const Answers composing = ask(box);
    EXPECT_EQ(composing.surrounding, QStringLiteral("今日は天気"));
    EXPECT_EQ(composing.cursor, 3);
    EXPECT_EQ(composing.anchor, 3);

    send(box, QInputMethodEvent(QString(), {}));  // composition cancelled
    EXPECT_EQ(box.text(), QStringLiteral("今日は天気"));
}

TEST(InputMethodTest, AnInputMethodReplacesTextAroundTheCaret) {
    struct Case {
        const char* what;
        QString text;
        int caret;
        int replacement_start;  // relative to the caret, UTF-16 units
        int replacement_length;
        QString commit;
        QString expected;
        int caret_after;
    };
    const Case cases[] = {
        {"reconversion of the word before the caret", QStringLiteral("今日は良い天気"), 7, -2, 2,
         QStringLiteral("転機"), QStringLiteral("今日は良い転機"), 7},
        {"reconversion past a character outside the basic plane", QStringLiteral("𠮷田さん"), 3, -3,
         3, QStringLiteral("吉田"), QStringLiteral("吉田さん"), 2},
        {"reconversion after the caret", QStringLiteral("はしを渡る"), 0, 0, 2,
         QStringLiteral("橋"), QStringLiteral("橋を渡る"), 1},
        {"deleting the character before the caret", QStringLiteral("あいう"), 2, -1, 1, QString(),
         QStringLiteral("あう"), 1},
        {"a range reaching past the start is cut there", QStringLiteral("あいう"), 1, -2, 2,
         QStringLiteral("え"), QStringLiteral("えいう"), 1},
        {"a range reaching past the end is cut there", QStringLiteral("あいう"), 2, 0, 99,
         QStringLiteral("え"), QStringLiteral("あいえ"), 3},
    };
    ScintillaBox box(400, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.set_text(c.text);
        box.send(SCI_GOTOPOS, static_cast<uptr_t>(box.position_of(c.caret)));
        QInputMethodEvent event(QString(), {});
        event.setCommitString(c.commit, c.replacement_start, c.replacement_length);
        send(box, std::move(event));
        EXPECT_EQ(box.text(), c.expected);
        EXPECT_EQ(box.send(SCI_GETCURRENTPOS), box.position_of(c.caret_after));
    }
    // One step undoes a reconversion.
    box.set_text(QStringLiteral("良い天気"));
    box.send(SCI_EMPTYUNDOBUFFER);
    box.send(SCI_DOCUMENTEND);
    QInputMethodEvent event(QString(), {});
    event.setCommitString(QStringLiteral("転機"), -2, 2);
    send(box, std::move(event));
    box.send(SCI_UNDO);
    EXPECT_EQ(box.text(), QStringLiteral("良い天気"));
}

TEST(InputMethodTest, RangesPastThePreeditAreKeptInsideIt) {
    ScintillaBox box(400, 200);
    box.set_text(QString());
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    send(box, QInputMethodEvent(QStringLiteral("にほん"),
                                {{QInputMethodEvent::TextFormat, 1, 50, underlined},
                                 {QInputMethodEvent::TextFormat, -4, 6, underlined},
                                 {QInputMethodEvent::Cursor, 40, 1, QVariant()}}));
    EXPECT_EQ(box.text(), QStringLiteral("にほん"));
    EXPECT_EQ(box.send(SCI_GETCURRENTPOS), box.position_of(3));
}

}  // namespace
