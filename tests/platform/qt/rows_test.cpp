// Japanese rows on the Linux text box: Qt's break opportunities, the row styling across pieces
// on a bare Scintilla widget set up as the program's box, and the program's box itself, held to
// the table both programs share.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "platform/qt/line_breaks.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/text1_box.h"
#include "platform/scintilla/plain_text_setup.h"
#include "platform/scintilla/row_styler.h"
#include "row_checks.h"
#include "scintilla_box.h"

namespace {

TEST(RowsTest, QtOpportunitiesFollowTheSharedTable) {
    row_test::expect_break_cases(platform::qt::break_opportunities);
}

// The box's notifications go to the row styler first, as the Linux text box passes them.
class StyledBoxTest : public ::testing::Test {
  protected:
    StyledBoxTest() {
        platform::scintilla::set_up_plain_text_box(call_);
        QObject::connect(
            &box_.widget(), &ScintillaEditBase::notify, [this](Scintilla::NotificationData* data) {
                styler_.on_notification(call_, *reinterpret_cast<const SCNotification*>(data));
            });
    }

    qt_test::ScintillaBox box_{400, 300};
    platform::scintilla::ScintillaCall call_ = box_.call();
    row_test::CountedBreaks breaks_{platform::qt::break_opportunities};
    platform::scintilla::RowStyler styler_{std::ref(breaks_)};
};

TEST_F(StyledBoxTest, StylesFollowTheSharedTableAndLongLinesAcrossPieces) {
    row_test::expect_style_cases(call_);
    row_test::expect_long_line_styles(call_, breaks_);
}

// On the program's own box, whose notifications reach its row styling as the program runs.
TEST(RowsTest, TheProgramsBoxBreaksRowsAsTheSharedTableSays) {
    platform::qt::QtProgram program;
    program.start();
    platform::qt::Text1Box& box = program.form().text1();
    platform::scintilla::apply_font(box.call(), {u"Noto Sans CJK JP", false, false, 12});
    row_test::expect_row_cases(box.call(), [&](int text_width) {
        const int frame = box.width() - box.viewport()->width();
        program.form().resize(text_width + frame, 300);
        QApplication::processEvents();
        box.viewport()->repaint();
    });
}

}  // namespace
