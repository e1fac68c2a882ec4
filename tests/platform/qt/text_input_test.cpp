// Text reaching Text1 other than by opening a file: an input method's composition and pastes,
// which the shared bound limits.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cstdint>

#include "modal_watch.h"
#include "platform/common/paste_limit.h"
#include "platform/qt/qt_paste_bound.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_strings.h"
#include "platform/qt/qt_wrap_policy.h"

namespace {

using platform::qt::QtProgram;

QTextCharFormat underlined() {
    QTextCharFormat format;
    format.setFontUnderline(true);
    return format;
}

constexpr auto max_bytes = static_cast<qsizetype>(platform::common::max_text_box_bytes);

struct TextInputTest : ::testing::Test {
    QtProgram program;

    void SetUp() override {
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    }
    QPlainTextEdit& text1() { return program.form().text1(); }

    void place_caret(const QString& text, int position) {
        text1().setPlainText(text);
        QTextCursor caret = text1().textCursor();
        caret.setPosition(position);
        text1().setTextCursor(caret);
    }

    // What the input method shows while the user is still choosing, inline at the caret.
    QString preedit_shown() { return text1().textCursor().block().layout()->preeditAreaText(); }
};

// An input method's pre-edit, underlined with the caret at its end, as fcitx5 and ibus send it.
void show_preedit(QWidget& target, const QString& preedit) {
    const QList<QInputMethodEvent::Attribute> attributes{
        {QInputMethodEvent::TextFormat, 0, static_cast<int>(preedit.size()), underlined()},
        {QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1, QVariant()},
    };
    QInputMethodEvent editing(preedit, attributes);
    QCoreApplication::sendEvent(&target, &editing);
}

TEST_F(TextInputTest, AnInputMethodsCompositionIsShownInlineThenCommittedLikeTyping) {
    const QString long_word(platform::qt::longest_word_wrapped_at_boundaries - 5, QLatin1Char('x'));
    struct Case {
        const char* name;
        QString before;
        int caret;
        QString preedit;
        QString committed;
        QString after;
        QTextOption::WrapMode wrap_after;
    };
    const Case cases[] = {
        {"into an empty box", QString(), 0, QStringLiteral("にほんご"), QStringLiteral("日本語"),
         QStringLiteral("日本語"), QTextOption::WrapAtWordBoundaryOrAnywhere},
        {"between two words", QStringLiteral("abc def"), 4, QStringLiteral("にほんご"),
         QStringLiteral("日本語"), QStringLiteral("abc 日本語def"),
         QTextOption::WrapAtWordBoundaryOrAnywhere},
        {"on a second line", QStringLiteral("一行目\n"), 4, QStringLiteral("かな"),
         QStringLiteral("仮名"), QStringLiteral("一行目\n仮名"),
         QTextOption::WrapAtWordBoundaryOrAnywhere},
        // Committed letters that make a word too long to wrap at boundaries, as typing would.
        {"ending a word too long", long_word, static_cast<int>(long_word.size()),
         QStringLiteral("abcdefgh"), QStringLiteral("abcdefgh"), long_word + "abcdefgh",
         QTextOption::WrapAnywhere},
    };
    ASSERT_TRUE(text1().testAttribute(Qt::WA_InputMethodEnabled));
    ASSERT_TRUE(text1().inputMethodQuery(Qt::ImEnabled).toBool());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program.core().on_load();  // a whole new text: wraps at words again
        place_caret(c.before, c.caret);
        ASSERT_EQ(text1().wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);

        show_preedit(text1(), c.preedit);
        EXPECT_EQ(preedit_shown(), c.preedit);
        EXPECT_EQ(text1().toPlainText(), c.before);  // not text until committed
        EXPECT_EQ(text1().wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);

        QInputMethodEvent commit;
        commit.setCommitString(c.committed);
        QCoreApplication::sendEvent(&text1(), &commit);
        EXPECT_EQ(preedit_shown(), QString());
        EXPECT_EQ(text1().toPlainText(), c.after);
        EXPECT_EQ(text1().textCursor().position(), c.caret + c.committed.size());
        EXPECT_EQ(text1().wordWrapMode(), c.wrap_after);
    }
}

// A document's text and the selection a paste would replace.
struct Weighed {
    QString text;
    int from, to;
    std::uint64_t bytes;
};

TEST(PasteBoundTest, TheBoxWeighsEachUnitAsUtf8AndEachLineBreakAsCrLfOutsideTheSelection) {
    // Long texts are weighed a stretch at a time; a character may straddle any place.
    const QString long_line = QString((1 << 20) - 1, QLatin1Char('a')) + QStringLiteral("😀b");
    const Weighed cases[] = {
        {long_line, 0, 0, (1 << 20) - 1 + 4 + 1},
        {long_line, 1, 1, (1 << 20) - 1 + 4 + 1},
        {QString(), 0, 0, 0},
        {QStringLiteral("abc"), 0, 0, 3},
        {QStringLiteral("a\nb"), 0, 0, 1 + 2 + 1},
        {QStringLiteral("\n\n"), 0, 0, 4},
        {QStringLiteral("日本語\n"), 1, 1, 9 + 2},
        {QStringLiteral("😀é"), 0, 0, 4 + 2},
        {QStringLiteral("abc\ndef"), 1, 6, 2},                // "bc", its break and "de" replaced
        {QStringLiteral("ab\ncd\nef"), 3, 6, 2 + 2 + 2},      // "cd" with its break
        {QStringLiteral("ab\ncd\nef"), 2, 3, 2 + 2 + 2 + 2},  // the first break alone
        {QStringLiteral("ab\ncd\nef"), 0, 8, 0},              // everything
        {QStringLiteral("日本\n語"), 1, 4, 3},                // "本", the break and "語"
    };
    for (const Weighed& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.from) + "-" +
                     std::to_string(c.to));
        QTextDocument document;
        document.setPlainText(c.text);
        EXPECT_EQ(platform::qt::kept_utf8_bytes(document, c.from, c.to), c.bytes);
    }
}

// Filled to one byte below the bound, mostly with three-byte characters but for a first line of
// one letter, which the estimate of three bytes a unit overweighs: the document is weighed
// exactly, and the last byte decides.
TEST(PasteBoundTest, AtTheBoundOneByteDecides) {
    const QString first_line = QStringLiteral("a\n");  // three bytes with its CR LF
    const auto units = static_cast<int>((max_bytes - 1 - 3) / 3);
    ASSERT_EQ(units * qsizetype{3} + 3, max_bytes - 1);
    QTextDocument document;
    document.setPlainText(first_line + QString(units, QChar(u'あ')));
    const int end = document.characterCount() - 1;
    ASSERT_EQ(platform::qt::kept_utf8_bytes(document, end, end),
              static_cast<std::uint64_t>(max_bytes - 1));
    struct Case {
        QString pasted;
        int replaced;  // of the last units
        bool fits;
    };
    const Case cases[] = {
        {QString(), 0, true},
        {QStringLiteral("x"), 0, true},
        {QStringLiteral("xx"), 0, false},
        {QStringLiteral("é"), 0, false},
        {QStringLiteral("\n"), 0, false},  // a line break weighs two, as CR LF
        {QStringLiteral("\r"), 0, false},
        {QStringLiteral("xxxx"), 1, true},  // one あ replaced leaves four bytes
        {QStringLiteral("xxxxx"), 1, false},
        {QStringLiteral("ab\r\n"), 1, true},
        {QStringLiteral("abc\n"), 1, false},
        {QStringLiteral("いう"), 2, true},
        {QStringLiteral("いう😀"), 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.toStdString() + " over " + std::to_string(c.replaced));
        EXPECT_EQ(platform::qt::paste_fits_document(document, end - c.replaced, end, c.pasted),
                  c.fits);
    }
}

TEST_F(TextInputTest, APasteThatWouldOverfillTheBoxIsRefusedWithAMessageAndChangesNothing) {
    const QString instruction = text1().toPlainText();
    // Alone it would just fit; with the instruction kept beside it, it cannot.
    const QString almost_full(max_bytes / 3, QChar(u'あ'));
    struct Case {
        const char* name;
        QString pasted;
        bool select_all;
        QString after;  // empty when refused
    };
    const Case cases[] = {
        {"a short text at the caret", QStringLiteral("貼り付け\n"), false,
         QStringLiteral("貼り付け\n") + instruction},
        {"in place of everything", QStringLiteral("全部"), true, QStringLiteral("全部")},
        {"too much beside what is kept", almost_full, false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program.core().on_load();
        text1().moveCursor(QTextCursor::Start);
        if (c.select_all)
            text1().selectAll();
        QGuiApplication::clipboard()->setText(c.pasted);
        QStringList boxes;
        qt_test::ModalWatch watch([&](QWidget& shown) {
            boxes << shown.windowTitle() + QLatin1Char('|') +
                         static_cast<QMessageBox&>(shown).text();
            shown.close();
        });
        QTest::keyClick(&text1(), Qt::Key_V, Qt::ControlModifier);
        if (c.after.isEmpty()) {
            EXPECT_EQ(boxes, QStringList{QStringLiteral("エラー|") +
                                         platform::qt::qstring_from_u16(
                                             platform::common::paste_too_large_message())});
            EXPECT_EQ(text1().toPlainText(), instruction);
            EXPECT_EQ(text1().textCursor().position(), 0);
        } else {
            EXPECT_EQ(boxes, QStringList{});
            EXPECT_EQ(text1().toPlainText(), c.after);
        }
    }
    QGuiApplication::clipboard()->clear();
}

}  // namespace
