// The caret at a wrapped row's end in Text1: the table both programs share, driven by key presses
// through the message loop and by mouse messages. The row is read from the system caret, which
// screen readers and input methods follow.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "../scintilla/caret_side_cases.h"
#include "win32_test_support.h"

namespace {

using caret_side::Act;
using win32_test::press;
using win32_test::send;

struct KeyPress {
    Act act;
    UINT key;
    std::vector<int> held = {};
};
const KeyPress key_presses[] = {
    {Act::home, VK_HOME},
    {Act::end, VK_END},
    {Act::shift_end, VK_END, {VK_SHIFT}},
    {Act::up, VK_UP},
    {Act::down, VK_DOWN},
    {Act::shift_down, VK_DOWN, {VK_SHIFT}},
    {Act::left, VK_LEFT},
    {Act::right, VK_RIGHT},
    {Act::ctrl_right, VK_RIGHT, {VK_CONTROL}},
    {Act::type_space, VK_SPACE},
    {Act::type_x, 'X'},
};

class CaretSideTest : public win32_test::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        box_ = text1();
        line_height_ = static_cast<int>(send(box_, SCI_TEXTHEIGHT));
        const std::string sample(caret_side::row_width_sample);
        narrow_ = static_cast<int>(send(box_, SCI_TEXTWIDTH, STYLE_DEFAULT,
                                        reinterpret_cast<LPARAM>(sample.c_str()))) +
                  4;
        SetFocus(box_);
        send(box_, SCI_SETCARETPERIOD, 0);
        set_width(narrow_);
    }

    void set_width(int client_width) {
        win32_test::set_client_width(box_, client_width, 8 * line_height_);
        win32_test::paint_now(box_);
    }

    void perform(const caret_side::Step& step) {
        if (step.act == Act::go_to) {
            send(box_, SCI_GOTOPOS, static_cast<WPARAM>(step.at));
        } else if (step.act == Act::click_past_end || step.act == Act::click_at_start) {
            const int x = step.act == Act::click_at_start ? 1 : narrow_ - 2;
            const LPARAM at = MAKELPARAM(x, step.at * line_height_ + line_height_ / 2);
            send(box_, WM_LBUTTONDOWN, MK_LBUTTON, at);
            send(box_, WM_LBUTTONUP, 0, at);
        } else if (step.act == Act::rewrap) {
            set_width(narrow_ * 4);
            set_width(narrow_);
            // A resize moves the system caret at its next blink, and it blinks not here.
            send(box_, SCI_SETCARETPERIOD, 500);
            send(box_, SCI_SETCARETPERIOD, 0);
        } else {
            const KeyPress& key =
                *std::find_if(std::begin(key_presses), std::end(key_presses),
                              [&](const KeyPress& k) { return k.act == step.act; });
            press(box_, key.held, key.key);
        }
        win32_test::paint_now(box_);
    }

    HWND box_ = nullptr;
    int line_height_ = 0;
    int narrow_ = 0;
};

TEST_F(CaretSideTest, TheCaretAtAWrappedRowsEnd) {
    for (const caret_side::Case& c : caret_side::cases) {
        SCOPED_TRACE(c.name);
        const std::u16string text(caret_side::text.begin(), caret_side::text.end());
        program().form().text1().set_text(text);
        win32_test::paint_now(box_);
        ASSERT_EQ(send(box_, SCI_WRAPCOUNT, 0), caret_side::rows);
        for (const caret_side::Step& step : c.steps)
            perform(step);
        EXPECT_EQ(win32_test::box_text(box_),
                  std::u16string(c.text_after.begin(), c.text_after.end()));
        EXPECT_EQ(send(box_, SCI_GETCURRENTPOS), c.caret);
        EXPECT_EQ(send(box_, SCI_GETANCHOR),
                  c.anchor == caret_side::no_selection ? c.caret : c.anchor);
        POINT caret{};
        ASSERT_TRUE(GetCaretPos(&caret));
        EXPECT_EQ(caret.y / line_height_, c.drawn_row);
    }
}

}  // namespace
