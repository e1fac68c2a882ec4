// Form1 on Win32 with real windows: creation, Load, its icons, focus, quitting and the busy cursor
// (its layout and stay-on-top, which depend on the DPI, are in dpi_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "core/window/instruction_text.h"
#include "platform/win32/resources.h"
#include "win32_test_support.h"

namespace {

using win32_test::ProgramTest;
using win32_test::pump_messages;

TEST(Form1Creation, HiddenUntilLoadThenShownWithTheInstruction) {
    platform::win32::Win32Program program(GetModuleHandleW(nullptr));
    const HWND form = program.form().hwnd();
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_EQ(win32_test::window_text(program.form().text1().hwnd()), u"");

    program.start();
    EXPECT_TRUE(IsWindowVisible(form));
    const HWND text1 = program.form().text1().hwnd();
    EXPECT_EQ(win32_test::box_text(text1), window::instruction_text);
    EXPECT_EQ(win32_test::send(text1, SCI_GETLINECOUNT), 2);  // one CR LF, none after
}

// Once started, the window shows the program's own icon, large and small.
TEST_F(ProgramTest, TheWindowHasTheProgramsIcons) {
    const HINSTANCE program = GetModuleHandleW(nullptr);
    for (const auto& [kind, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                              std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        const auto shown = reinterpret_cast<HICON>(SendMessageW(form(), WM_GETICON, kind, 0));
        const auto own = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(ONTOP_ICON_ID),
                                                       IMAGE_ICON, GetSystemMetrics(width),
                                                       GetSystemMetrics(height), LR_SHARED));
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(shown, own) << (kind == ICON_BIG ? "big" : "small");
    }
}

TEST_F(ProgramTest, Text1HasTheKeyboardFocus) {
    EXPECT_EQ(GetFocus(), text1());
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheLoopWithExitCodeZero) {
    PostMessageW(form(), WM_CLOSE, 0, 0);
    const std::optional<int> exit_code = pump_messages();
    EXPECT_FALSE(IsWindow(form()));
    ASSERT_TRUE(exit_code.has_value());
    EXPECT_EQ(*exit_code, 0);
}

TEST_F(ProgramTest, TheQuitCommandUnloadsAndEndsWithExitCodeZero) {
    const HWND hwnd = form();
    program().core().on_menu_click(window::MenuItem::IDM_end_set);
    EXPECT_FALSE(IsWindow(hwnd));
    const std::optional<int> exit_code = pump_messages();
    ASSERT_TRUE(exit_code.has_value());
    EXPECT_EQ(*exit_code, 0);
}

TEST_F(ProgramTest, BusyCursorWhileBusyAndOverText1) {
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    program().window().set_busy_cursor(true);
    EXPECT_EQ(GetCursor(), wait);
    // Whatever the pointer moves over keeps the wait cursor.
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageW(text1(), WM_SETCURSOR, reinterpret_cast<WPARAM>(text1()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), wait);

    program().window().set_busy_cursor(false);
    SendMessageW(text1(), WM_SETCURSOR, reinterpret_cast<WPARAM>(text1()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), wait);
}

}  // namespace
