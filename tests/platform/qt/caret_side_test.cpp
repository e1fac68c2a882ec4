// The caret at a wrapped row's end in Scintilla's Qt widget set up as the program's text box: the
// table both programs share, driven with Qt's key and mouse events. The row is read from the
// pixels drawn and from the cursor rectangle an input method gets; a screen reader's line at the
// caret starts that row.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFocusEvent>
#include <QTest>
#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "../scintilla/caret_side_cases.h"
#include "platform/qt/text_box_accessible.h"
#include "platform/scintilla/plain_text_setup.h"
#include "scintilla_box.h"

namespace {

using caret_side::Act;

struct KeyPress {
    Act act;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
const KeyPress key_presses[] = {
    {Act::home, Qt::Key_Home},
    {Act::end, Qt::Key_End},
    {Act::shift_end, Qt::Key_End, Qt::ShiftModifier},
    {Act::up, Qt::Key_Up},
    {Act::down, Qt::Key_Down},
    {Act::shift_down, Qt::Key_Down, Qt::ShiftModifier},
    {Act::left, Qt::Key_Left},
    {Act::right, Qt::Key_Right},
    {Act::ctrl_right, Qt::Key_Right, Qt::ControlModifier},
    {Act::type_space, Qt::Key_Space},
    {Act::type_x, Qt::Key_X},
};

struct CaretSideTest : ::testing::Test {
    static void SetUpTestSuite() { platform::qt::expose_text_box_as_editable_text(); }

    qt_test::ScintillaBox box{400, 200};
    int line_height = 0;
    QSize narrow;

    void SetUp() override {
        platform::scintilla::set_up_plain_text_box(box.call());
        box.send(SCI_SETELEMENTCOLOUR, SC_ELEMENT_CARET, 0xFF0000FF);  // opaque red
        box.send(SCI_SETCARETPERIOD, 0);                               // never blinked off
        QFocusEvent focus_in(QEvent::FocusIn);  // the caret is drawn with the focus
        QApplication::sendEvent(&box.widget(), &focus_in);
        line_height = static_cast<int>(box.send(SCI_TEXTHEIGHT, 0));
        const std::string sample(caret_side::row_width_sample);
        const auto width = static_cast<int>(
            box.send(SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<sptr_t>(sample.c_str())));
        narrow = QSize(width + 4 + box.widget().width() - box.widget().viewport()->width(),
                       8 * line_height);
        box.widget().resize(narrow);
    }

    void settle() {
        box.widget().viewport()->repaint();  // lays out and wraps the rows shown
        QCoreApplication::processEvents();
    }

    void perform(const caret_side::Step& step) {
        if (step.act == Act::go_to) {
            box.send(SCI_GOTOPOS, static_cast<uptr_t>(step.at));
        } else if (step.act == Act::click_past_end || step.act == Act::click_at_start) {
            const int x =
                step.act == Act::click_at_start ? 1 : box.widget().viewport()->width() - 2;
            QTest::mouseClick(box.widget().viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(x, step.at * line_height + line_height / 2));
        } else if (step.act == Act::rewrap) {
            box.widget().resize(narrow.width() * 4, narrow.height());
            settle();
            box.widget().resize(narrow);
        } else {
            const KeyPress& press =
                *std::find_if(std::begin(key_presses), std::end(key_presses),
                              [&](const KeyPress& k) { return k.act == step.act; });
            QTest::keyClick(&box.widget(), press.key, press.modifiers);
        }
        settle();
    }

    // The rows holding the caret's red pixels.
    std::set<int> rows_drawn_on() {
        const QImage picture = box.widget().viewport()->grab().toImage();
        std::set<int> rows;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == qRgb(255, 0, 0))
                    rows.insert(y / line_height);
        return rows;
    }
};

TEST_F(CaretSideTest, TheCaretAtAWrappedRowsEnd) {
    QAccessibleTextInterface* accessible =
        QAccessible::queryAccessibleInterface(&box.widget())->textInterface();
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
        EXPECT_EQ(widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().y() / line_height,
                  c.drawn_row);
        int start = -1;
        int end = -1;
        accessible->textAtOffset(accessible->cursorPosition(), QAccessible::LineBoundary, &start,
                                 &end);
        EXPECT_EQ(start, box.send(SCI_POSITIONFROMPOINT, 1, c.drawn_row * line_height + 1));
    }
}

}  // namespace
