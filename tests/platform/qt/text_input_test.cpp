// Text reaching Text1 other than by opening a file: an input method's composition, what the box
// tells it and its reconversions, pastes and copies, and every way in through the one gate. A
// refused change leaves the text, the selection and the history as they were and is said once,
// after the event.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTextCharFormat>
#include <functional>
#include <string>
#include <vector>

#include "modal_watch.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "platform/scintilla/change_limits.h"

namespace {

using platform::qt::qstring_from_u16;
using platform::qt::QtProgram;
using platform::qt::Text1Box;
using platform::scintilla::ChangeKind;
using platform::scintilla::refusal_message;
using platform::scintilla::Verdict;

// What an input method sends: a pre-edit, underlined with the caret at its end, as fcitx5 and
// ibus send it, or a commit.
struct InputMethodStep {
    QString preedit;
    QString commit;
};

void send_input(QWidget& box, const InputMethodStep& step) {
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    const auto length = static_cast<int>(step.preedit.size());
    QInputMethodEvent event(step.preedit, {{QInputMethodEvent::TextFormat, 0, length, underlined},
                                           {QInputMethodEvent::Cursor, length, 1, QVariant()}});
    event.setCommitString(step.commit);
    QCoreApplication::sendEvent(&box, &event);
}

// What an input method is told.
struct Answers {
    QString surrounding;
    int cursor;
    int anchor;
    QString selection;
};

Answers ask(QWidget& box) {
    QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition |
                                 Qt::ImAnchorPosition | Qt::ImCurrentSelection);
    QCoreApplication::sendEvent(&box, &query);
    return {query.value(Qt::ImSurroundingText).toString(),
            query.value(Qt::ImCursorPosition).toInt(), query.value(Qt::ImAnchorPosition).toInt(),
            query.value(Qt::ImCurrentSelection).toString()};
}

struct Selection {
    sptr_t anchor;
    sptr_t caret;
    bool operator==(const Selection&) const = default;
};

struct TextInputTest : ::testing::Test {
    QtProgram program;

    void SetUp() override {
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }
    Text1Box& box() { return program.form().text1(); }
    std::u16string text() { return program.text_box().text(); }
    void fill(const std::u16string& text, sptr_t anchor, sptr_t caret) {
        program.text_box().set_text(text);
        box().send(SCI_SETSEL, static_cast<uptr_t>(anchor), caret);
    }
    Selection selection() { return {box().send(SCI_GETANCHOR), box().send(SCI_GETCURRENTPOS)}; }
    // The byte position of a UTF-16 offset into the text.
    sptr_t position_of(int utf16_offset) {
        return box().send(SCI_POSITIONRELATIVECODEUNITS, 0, utf16_offset);
    }
    void send(QEvent&& event) { QCoreApplication::sendEvent(&box(), &event); }
    // Where position `at` is drawn, in the viewport.
    QPoint point_of(sptr_t at) {
        return {static_cast<int>(box().send(SCI_POINTXFROMPOSITION, 0, at)),
                static_cast<int>(box().send(SCI_POINTYFROMPOSITION, 0, at)) + 2};
    }

    // The messages of the boxes the change brings once its events have returned, each
    // answered; the edit menu is answered with its paste.
    QStringList refusals_of(const std::function<void()>& change) {
        QStringList said;
        qt_test::ModalWatch watch([&](QWidget& shown) {
            if (auto* menu = qobject_cast<QMenu*>(&shown)) {
                for (QAction* action : menu->actions()) {
                    if (action->text().startsWith(QStringLiteral("貼り付け")))
                        QTest::mouseClick(menu, Qt::LeftButton, {},
                                          menu->actionGeometry(action).center());
                }
                return;
            }
            if (auto* message = qobject_cast<QMessageBox*>(&shown))
                said << message->text();
            shown.close();
        });
        change();
        QTest::qWait(60);
        return said;
    }
};

TEST_F(TextInputTest, AnInputMethodsCompositionIsShownInlineThenCommittedLikeTyping) {
    struct Case {
        std::u16string before;
        sptr_t caret;  // bytes
        int cursor;    // UTF-16 units into the caret's line
        QString composing;
        QString committed;  // none: the composition is cancelled
        std::u16string after;
    };
    const Case cases[] = {
        {u"", 0, 0, QStringLiteral("にほんご"), QStringLiteral("日本語"), u"日本語"},
        {u"今日は天気", 9, 3, QStringLiteral("よい"), QStringLiteral("良い"), u"今日は良い天気"},
        {u"今日は天気", 9, 3, QStringLiteral("よい"), QString(), u"今日は天気"},
        {u"一行目\r\n", 11, 0, QStringLiteral("かな"), QStringLiteral("仮名"), u"一行目\r\n仮名"},
    };
    ASSERT_TRUE(box().testAttribute(Qt::WA_InputMethodEnabled));
    for (const Case& c : cases) {
        SCOPED_TRACE(qstring_from_u16(c.after).toStdString());
        fill(c.before, c.caret, c.caret);
        send_input(box(), {c.composing, {}});
        // Shown in the box, but not yet text: an input method asking is told the text without it.
        EXPECT_TRUE(qstring_from_u16(text()).contains(c.composing));
        const Answers composing = ask(box());
        EXPECT_EQ(composing.surrounding, qstring_from_u16(c.before).section(u'\n', -1));
        EXPECT_EQ(composing.cursor, c.cursor);
        EXPECT_EQ(composing.anchor, c.cursor);
        send_input(box(), {{}, c.committed});
        EXPECT_EQ(text(), c.after);
        EXPECT_EQ(box().send(SCI_GETCURRENTPOS), c.caret + c.committed.toUtf8().size());
        // One undo takes the whole commit back.
        box().send(SCI_UNDO);
        EXPECT_EQ(text(), c.before);
    }
}

TEST_F(TextInputTest, AnInputMethodIsToldTheCaretsLineInUtf16Units) {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.text_box().set_text(c.text.toStdU16String());
        box().send(SCI_SETSEL, static_cast<uptr_t>(position_of(c.anchor)), position_of(c.caret));
        const Answers answers = ask(box());
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

TEST_F(TextInputTest, AnInputMethodReplacesTextAroundTheCaretInOneUndoableStep) {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.text_box().set_text(c.text.toStdU16String());
        box().send(SCI_GOTOPOS, static_cast<uptr_t>(position_of(c.caret)));
        QInputMethodEvent event(QString(), {});
        event.setCommitString(c.commit, c.replacement_start, c.replacement_length);
        send(std::move(event));
        EXPECT_EQ(qstring_from_u16(text()), c.expected);
        EXPECT_EQ(box().send(SCI_GETCURRENTPOS), position_of(c.caret_after));
        box().send(SCI_UNDO);
        EXPECT_EQ(qstring_from_u16(text()), c.text);
    }
}

TEST_F(TextInputTest, RangesPastThePreeditAreKeptInsideIt) {
    fill(u"", 0, 0);
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    send(QInputMethodEvent(QStringLiteral("にほん"),
                           {{QInputMethodEvent::TextFormat, 1, 50, underlined},
                            {QInputMethodEvent::TextFormat, -4, 6, underlined},
                            {QInputMethodEvent::Cursor, 40, 1, QVariant()}}));
    EXPECT_EQ(text(), u"にほん");
    EXPECT_EQ(box().send(SCI_GETCURRENTPOS), position_of(3));
}

TEST_F(TextInputTest, PastesTakeTextAloneWithTheBoxsLineEndsAndCopiesGiveThisSystems) {
    struct Case {
        QString clipboard;
        std::u16string pasted;
        QString copied;  // the whole box, copied back
    };
    const Case cases[] = {
        {QStringLiteral("日本語"), u"日本語", QStringLiteral("日本語")},
        {QStringLiteral("a\nb\rc\r\nd\n"), u"a\r\nb\r\nc\r\nd\r\n", QStringLiteral("a\nb\nc\nd\n")},
        {QStringLiteral("😀\r\r\n"), u"😀\r\n\r\n", QStringLiteral("😀\n\n")},
        // A NUL cannot end what is pasted: it shows as a file's NUL does.
        {QStringLiteral("前") + QChar(0) + QStringLiteral("後"), u"前␀後", QStringLiteral("前␀後")},
    };
    QClipboard& clipboard = *QGuiApplication::clipboard();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copied.toStdString());
        fill(u"", 0, 0);
        auto* rich = new QMimeData;  // text and HTML, as a browser copies
        rich->setText(c.clipboard);
        rich->setHtml(QStringLiteral("<b>太字</b>"));
        clipboard.setMimeData(rich);
        EXPECT_EQ(refusals_of([&] { QTest::keyClick(&box(), Qt::Key_V, Qt::ControlModifier); }),
                  QStringList());
        EXPECT_EQ(text(), c.pasted);
        clipboard.clear();
        QTest::keyClick(&box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&box(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard.text(), c.copied);
    }
    clipboard.clear();
}

TEST_F(TextInputTest, EveryWayInPassesTheGate) {
    const std::u16string line = u"abcdefghij\r\n";  // a full line
    const std::u16string lines = u"abcdefgh\r\nijklmnop";
    const QString typed =
        qstring_from_u16(refusal_message(ChangeKind::typing, Verdict::line_too_long));
    const QString pasted =
        qstring_from_u16(refusal_message(ChangeKind::paste, Verdict::line_too_long));
    const QString deleted =
        qstring_from_u16(refusal_message(ChangeKind::deletion, Verdict::line_too_long));
    const auto keys = [this](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
        return [this, presses] {
            for (const auto& [key, held] : presses)
                QTest::keyClick(&box(), key, held);
        };
    };
    const auto key = [&](Qt::Key pressed, Qt::KeyboardModifiers held = Qt::NoModifier) {
        return keys({{pressed, held}});
    };
    const auto input = [this](std::vector<InputMethodStep> steps) {
        return [this, steps] {
            for (const InputMethodStep& step : steps)
                send_input(box(), step);
        };
    };
    const bool x11_selection = QGuiApplication::clipboard()->supportsSelection();
    struct Case {
        const char* way;
        std::u16string text;
        sptr_t anchor;
        sptr_t caret;
        std::function<void()> change;
        QString refusal;  // none: the change is made
        std::u16string text_after = {};
    };
    const std::vector<Case> cases = {
        {"typing within the line", u"abc", 3, 3, key(Qt::Key_X), {}, u"abcx"},
        {"typing", line, 10, 10, key(Qt::Key_X), typed},
        {"typing on before the refusal is said, said once", line, 10, 10,
         keys({{Qt::Key_X, {}}, {Qt::Key_Y, {}}}), typed},
        {"typing past the box", line + line, 24, 24, key(Qt::Key_X),
         qstring_from_u16(refusal_message(ChangeKind::typing, Verdict::box_too_large))},
        {"typing over a selection", line, 2, 3,
         [this] { send(QKeyEvent(QEvent::KeyPress, 0, {}, QStringLiteral("日"))); }, typed},
        {"a tab", line, 10, 10, key(Qt::Key_Tab), typed},
        {"an input method's commit",
         u"abc",
         3,
         3,
         input({{{}, QStringLiteral("日本")}}),
         {},
         u"abc日本"},
        {"an input method's commit of which only a part would fit", u"abcd", 4, 4,
         input({{{}, QStringLiteral("日本語")}}), typed},
        {"an input method's commit over its composition", u"abc", 3, 3,
         input({{QStringLiteral("にほ"), {}}, {{}, QStringLiteral("日本語")}}), typed},
        {"Enter over lines it would join", lines, 7, 11, key(Qt::Key_Return), deleted},
        {"Ctrl+V", line, 10, 10, key(Qt::Key_V, Qt::ControlModifier), pasted},
        {"Ctrl+V over a selection", line, 5, 10, key(Qt::Key_V, Qt::ControlModifier), pasted},
        {"Shift+Insert", line, 10, 10, key(Qt::Key_Insert, Qt::ShiftModifier), pasted},
        {"the edit menu's paste", line, 10, 10,
         [this] {
             send(QContextMenuEvent(QContextMenuEvent::Keyboard, QPoint(),
                                    box().mapToGlobal(QPoint())));
         },
         pasted},
        {"a text dropped from another program", line, 10, 10,
         [this] {
             QMimeData words;
             words.setText(QStringLiteral("落とす"));
             const QPointF at = point_of(10);
             QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &words, Qt::LeftButton, {});
             QCoreApplication::sendEvent(box().viewport(), &enter);
             QDropEvent drop(at, Qt::CopyAction, &words, Qt::LeftButton, {});
             QCoreApplication::sendEvent(box().viewport(), &drop);
         },
         pasted},
        {"Ctrl+Z after a refusal undoes the change before it", u"abcdefghi", 9, 9,
         keys({{Qt::Key_J, {}}, {Qt::Key_K, {}}, {Qt::Key_Z, Qt::ControlModifier}}), typed},
        // Redo returns to a text the gate let through before, and is not asked again.
        {"Ctrl+Y under narrower limits",
         u"abcdefghi",
         9,
         9,
         [&] {
             key(Qt::Key_J)();
             key(Qt::Key_Z, Qt::ControlModifier)();
             box().gate().set_limits({.box_bytes = 24, .line_bytes = 5});
             key(Qt::Key_Y, Qt::ControlModifier)();
         },
         {},
         u"abcdefghij"},
        {"Backspace joining lines within the limit",
         u"abcde\r\nfghij",
         7,
         7,
         key(Qt::Key_Backspace),
         {},
         u"abcdefghij"},
        {"Backspace joining lines", lines, 10, 10, key(Qt::Key_Backspace), deleted},
        {"Ctrl+Backspace joining lines", lines, 10, 10, key(Qt::Key_Backspace, Qt::ControlModifier),
         deleted},
        {"Delete joining lines", lines, 8, 8, key(Qt::Key_Delete), deleted},
        {"Shift+Delete cutting across lines", lines, 7, 11, key(Qt::Key_Delete, Qt::ShiftModifier),
         deleted},
    };
    QClipboard& clipboard = *QGuiApplication::clipboard();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        box().gate().set_limits({.box_bytes = 24, .line_bytes = 10});
        fill(c.text, c.anchor, c.caret);
        clipboard.setText(QStringLiteral("貼る"));
        const QStringList refusals = refusals_of(c.change);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(text(), c.text_after);
            EXPECT_EQ(refusals, QStringList());
            continue;
        }
        EXPECT_EQ(text(), c.text);
        EXPECT_EQ(selection(), (Selection{c.anchor, c.caret}));
        EXPECT_EQ(refusals, QStringList{c.refusal});
        EXPECT_FALSE(box().send(SCI_CANUNDO)) << "nothing to undo";
    }
    // The middle button pastes the X selection where it is pressed, where the system has one.
    if (x11_selection) {
        fill(line, 0, 0);
        clipboard.setText(QStringLiteral("貼る"), QClipboard::Selection);
        const QStringList refusals = refusals_of(
            [&] { QTest::mouseClick(box().viewport(), Qt::MiddleButton, {}, point_of(10)); });
        EXPECT_EQ(text(), line);
        EXPECT_EQ(selection(), (Selection{10, 10}));
        EXPECT_EQ(refusals, QStringList{pasted});
    }
    clipboard.clear();
}

// A press inside the selection starts a new selection, as in any text box: Scintilla would drag
// the selected text away instead, and a move refused where it lands would lose it.
TEST_F(TextInputTest, APressInTheSelectionSelectsAnewAndDragsNothing) {
    fill(u"abcdef", 0, 3);
    QTest::mousePress(box().viewport(), Qt::LeftButton, {}, point_of(1));
    QMouseEvent moved(QEvent::MouseMove, point_of(5), box().viewport()->mapToGlobal(point_of(5)),
                      Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box().viewport(), &moved);
    QTest::mouseRelease(box().viewport(), Qt::LeftButton, {}, point_of(5));
    EXPECT_EQ(text(), u"abcdef");
    EXPECT_EQ(selection(), (Selection{1, 5}));
}

// The X selection holds the box's selection with this system's line ends: a small one copied at
// once, so it stays after it is deselected; a large one made when asked for, as it is then.
TEST_F(TextInputTest, TheXSelectionIsTheBoxsSelection) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    if (!clipboard.supportsSelection())
        GTEST_SKIP() << "no X selection on this platform";
    fill(u"一行目\r\n二行目", 0, 0);
    box().send(SCI_SETSEL, 0, 14);
    EXPECT_EQ(clipboard.text(QClipboard::Selection), QStringLiteral("一行目\n二"));
    box().send(SCI_SETEMPTYSELECTION, 3);
    EXPECT_EQ(clipboard.text(QClipboard::Selection), QStringLiteral("一行目\n二"));

    const std::u16string line(1 << 20, u'字');  // 3 MiB as UTF-8
    fill(line + u"\r\n" + line, 0, 0);
    QTest::keyClick(&box(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box(), Qt::Key_Right, Qt::ShiftModifier);  // from the start, where it is
    const QString selected = clipboard.text(QClipboard::Selection);
    // The first 字 left out, and the line break as LF.
    ASSERT_EQ(selected.size(), 2 * line.size());
    EXPECT_EQ(selected[line.size() - 1], u'\n');
}

}  // namespace
