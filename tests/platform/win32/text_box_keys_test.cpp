// Text1's keys through the message loop, as a user's presses reach it (TranslateMessage makes
// the characters): a Windows text box's keys do what they do there, Scintilla's own do nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "win32_test_support.h"

namespace {

using win32_test::box_text;
using win32_test::press;
using win32_test::ProgramTest;
using win32_test::Selection;
using win32_test::selection_of;

TEST_F(ProgramTest, TheKeysOfAWindowsTextBoxAndNoOthers) {
    struct Case {
        const char* key;
        std::vector<int> held;
        UINT code;
        Selection before;
        std::u16string text_after;
        Selection after;
    };
    const std::u16string text = u"ab cd\r\nef";
    const std::vector<Case> cases = {
        {"Ctrl+D duplicates no line", {VK_CONTROL}, 'D', {1, 1}, text, {1, 1}},
        {"Ctrl+L cuts no line", {VK_CONTROL}, 'L', {1, 1}, text, {1, 1}},
        {"Ctrl+T swaps no lines", {VK_CONTROL}, 'T', {8, 8}, text, {8, 8}},
        {"Ctrl+U changes no case", {VK_CONTROL}, 'U', {0, 5}, text, {0, 5}},
        {"Ctrl+Shift+U changes no case", {VK_CONTROL, VK_SHIFT}, 'U', {0, 5}, text, {0, 5}},
        {"Ctrl+B types nothing", {VK_CONTROL}, 'B', {1, 1}, text, {1, 1}},
        {"Escape types nothing", {}, VK_ESCAPE, {1, 1}, text, {1, 1}},
        {"Insert does not overtype", {}, VK_INSERT, {1, 1}, text, {1, 1}},
        {"Tab types a tab over the selection", {}, VK_TAB, {0, 2}, u"\t cd\r\nef", {1, 1}},
        {"Enter makes CR LF", {}, VK_RETURN, {2, 2}, u"ab\r\n cd\r\nef", {4, 4}},
        {"Backspace", {}, VK_BACK, {2, 2}, u"a cd\r\nef", {1, 1}},
        {"Delete", {}, VK_DELETE, {0, 0}, u"b cd\r\nef", {0, 0}},
        {"Ctrl+Backspace deletes a word", {VK_CONTROL}, VK_BACK, {5, 5}, u"ab \r\nef", {3, 3}},
        {"Shift+Delete cuts", {VK_SHIFT}, VK_DELETE, {0, 3}, u"cd\r\nef", {0, 0}},
        {"Ctrl+X cuts", {VK_CONTROL}, 'X', {3, 5}, u"ab \r\nef", {3, 3}},
        {"Ctrl+A selects all", {VK_CONTROL}, 'A', {1, 1}, text, {0, 9}},
        {"Ctrl+Home", {VK_CONTROL}, VK_HOME, {8, 8}, text, {0, 0}},
        {"Ctrl+Shift+End", {VK_CONTROL, VK_SHIFT}, VK_END, {1, 1}, text, {1, 9}},
        {"Home keeps to the line", {}, VK_HOME, {8, 8}, text, {7, 7}},
        {"Shift+End", {VK_SHIFT}, VK_END, {1, 1}, text, {1, 5}},
        {"Ctrl+Right goes to the next word", {VK_CONTROL}, VK_RIGHT, {0, 0}, text, {3, 3}},
        {"Shift+Left", {VK_SHIFT}, VK_LEFT, {2, 2}, text, {1, 2}},
        {"Down", {}, VK_DOWN, {1, 1}, text, {8, 8}},
        {"Ctrl+Up moves as Up", {VK_CONTROL}, VK_UP, {8, 8}, text, {1, 1}},
    };
    for (const Case& c : cases) {
        program().form().text1().set_text(text);
        win32_test::select(text1(), c.before.start, c.before.end);
        press(text1(), c.held, c.code);
        EXPECT_EQ(box_text(text1()), c.text_after) << c.key;
        EXPECT_EQ(selection_of(text1()), c.after) << c.key;
    }
}

TEST_F(ProgramTest, UndoAndRedoByKeys) {
    program().form().text1().set_text(u"ab");
    SendMessageW(text1(), SCI_DOCUMENTEND, 0, 0);
    press(text1(), {}, 'C');
    press(text1(), {VK_CONTROL}, 'Z');
    EXPECT_EQ(box_text(text1()), u"ab");
    press(text1(), {VK_CONTROL}, 'Y');
    EXPECT_EQ(box_text(text1()), u"abc");
}

TEST_F(ProgramTest, NeitherKeysNorTheWheelZoom) {
    press(text1(), {VK_CONTROL}, VK_ADD);
    press(text1(), {VK_CONTROL}, VK_SUBTRACT);
    EXPECT_EQ(SendMessageW(text1(), SCI_GETZOOM, 0, 0), 0);
    POINT at{10, 10};
    ClientToScreen(text1(), &at);
    SendMessageW(text1(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA),
                 MAKELPARAM(at.x, at.y));
    SendMessageW(text1(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA),
                 MAKELPARAM(at.x, at.y));
    EXPECT_EQ(SendMessageW(text1(), SCI_GETZOOM, 0, 0), 0);
}

// Alt + drag selects text as a plain drag does, never a rectangle.
TEST_F(ProgramTest, AltDragSelectsNoRectangle) {
    program().form().text1().set_text(u"abcdef\r\nghijkl\r\nmnopqr");
    win32_test::paint_now(form());
    const auto point_of = [&](Sci_Position position) {
        return MAKELPARAM(SendMessageW(text1(), SCI_POINTXFROMPOSITION, 0, position) + 1,
                          SendMessageW(text1(), SCI_POINTYFROMPOSITION, 0, position) + 2);
    };
    std::array<BYTE, 256> state{};
    state[VK_MENU] = 0x80;
    state[VK_LBUTTON] = 0x80;
    SetKeyboardState(state.data());
    SendMessageW(text1(), WM_LBUTTONDOWN, MK_LBUTTON, point_of(1));
    SendMessageW(text1(), WM_MOUSEMOVE, MK_LBUTTON, point_of(19));
    SendMessageW(text1(), WM_LBUTTONUP, 0, point_of(19));
    state.fill(0);
    SetKeyboardState(state.data());
    EXPECT_FALSE(SendMessageW(text1(), SCI_SELECTIONISRECTANGLE, 0, 0));
    EXPECT_EQ(SendMessageW(text1(), SCI_GETSELECTIONS, 0, 0), 1);
    EXPECT_EQ(selection_of(text1()), (Selection{1, 19}));
}

}  // namespace
