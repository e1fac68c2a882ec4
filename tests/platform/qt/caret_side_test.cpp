// The caret at a wrapped row's end in Scintilla's Qt widget set up as the program's text box: the
// table both programs share, driven with Qt's key and mouse events. The row is read from the
// pixels drawn and from the cursor rectangle an input method gets; a screen reader's line at the
// caret is that row.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFocusEvent>
#include <QImage>
#include <QTest>
#include <set>

#include "../scintilla/caret_side_cases.h"
#include "platform/qt/text_box_accessible.h"
#include "platform/scintilla/plain_text_setup.h"
#include "scintilla_box.h"

namespace {

using caret_side::Act;

constexpr QRgb caret_colour = qRgb(255, 0, 0);

struct CaretSideTest : ::testing::Test {
    static void SetUpTestSuite() { platform::qt::expose_text_box_as_editable_text(); }

    qt_test::ScintillaBox box{400, 200};
    int line_height = 0;
    QSize narrow;

    void SetUp() override {
        platform::scintilla::set_up_plain_text_box(platform::scintilla::ScintillaCall(
            reinterpret_cast<SciFnDirectStatus>(box.send(SCI_GETDIRECTSTATUSFUNCTION)),
            box.send(SCI_GETDIRECTPOINTER)));
        box.send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_CARET, 0xFF0000FF);  // opaque red
        box.send(SCI_SETCARETPERIOD, 0);                               // never blinked off
        QFocusEvent focus_in(QEvent::FocusIn);
        QApplication::sendEvent(&box.widget(), &focus_in);  // the caret is drawn with the focus
        line_height = static_cast<int>(box.send(SCI_TEXTHEIGHT, 0));
        const auto text_width = static_cast<int>(
            box.send(SCI_TEXTWIDTH, STYLE_DEFAULT,
                     reinterpret_cast<sptr_t>(std::string(caret_side::row_width_sample).c_str())));
        const int frame = box.widget().width() - box.widget().viewport()->width();
        narrow = QSize(text_width + 4 + frame, 8 * line_height);
        box.widget().resize(narrow);
    }

    void settle() {
        box.widget().viewport()->repaint();  // lays out and wraps the rows shown
        QCoreApplication::processEvents();
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&box.widget(), key, modifiers);
    }

    void click(int x, int row) {
        QTest::mouseClick(box.widget().viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, row * line_height + line_height / 2));
    }

    void perform(const caret_side::Step& step) {
        switch (step.act) {
            case Act::go_to:
                box.send(SCI_GOTOPOS, static_cast<uptr_t>(step.at));
                break;
            case Act::home:
                key(Qt::Key_Home);
                break;
            case Act::end:
                key(Qt::Key_End);
                break;
            case Act::shift_end:
                key(Qt::Key_End, Qt::ShiftModifier);
                break;
            case Act::up:
                key(Qt::Key_Up);
                break;
            case Act::down:
                key(Qt::Key_Down);
                break;
            case Act::shift_down:
                key(Qt::Key_Down, Qt::ShiftModifier);
                break;
            case Act::left:
                key(Qt::Key_Left);
                break;
            case Act::right:
                key(Qt::Key_Right);
                break;
            case Act::ctrl_right:
                key(Qt::Key_Right, Qt::ControlModifier);
                break;
            case Act::type_space:
                key(Qt::Key_Space);
                break;
            case Act::type_x:
                key(Qt::Key_X);
                break;
            case Act::click_past_end:
                click(box.widget().viewport()->width() - 2, step.at);
                break;
            case Act::click_at_start:
                click(1, step.at);
                break;
            case Act::rewrap:
                box.widget().resize(narrow.width() * 4, narrow.height());
                settle();
                box.widget().resize(narrow);
                break;
        }
        settle();
    }

    // The rows holding the caret's pixels.
    std::set<int> rows_drawn_on() {
        const QImage picture = box.widget().viewport()->grab().toImage();
        std::set<int> rows;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == caret_colour)
                    rows.insert(y / line_height);
        return rows;
    }
};

TEST_F(CaretSideTest, TheCaretAtAWrappedRowsEnd) {
    QAccessibleTextInterface* accessible =
        QAccessible::queryAccessibleInterface(&box.widget())->textInterface();
    ASSERT_NE(accessible, nullptr);
    for (const caret_side::Case& c : caret_side::cases) {
        SCOPED_TRACE(c.name);
        box.set_text(QString::fromLatin1(caret_side::text));
        settle();
        ASSERT_EQ(box.send(SCI_WRAPCOUNT, 0), caret_side::rows);
        for (const caret_side::Step& step : c.steps)
            perform(step);
        EXPECT_EQ(box.text().toStdString(), std::string(c.text_after));
        EXPECT_EQ(box.send(SCI_GETCURRENTPOS), c.caret);
        EXPECT_EQ(box.send(SCI_GETANCHOR),
                  c.anchor == caret_side::no_selection ? c.caret : c.anchor);
        EXPECT_EQ(rows_drawn_on(), std::set<int>{c.drawn_row});
        const QWidget& widget = box.widget();  // asked as an input method asks
        const QRect cursor = widget.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        EXPECT_EQ(cursor.y() / line_height, c.drawn_row);
        int start = -1;
        int end = -1;
        accessible->textAtOffset(accessible->cursorPosition(), QAccessible::LineBoundary, &start,
                                 &end);
        EXPECT_EQ(start, box.send(SCI_POSITIONFROMPOINT, 1, c.drawn_row * line_height + 1));
    }
}

}  // namespace
