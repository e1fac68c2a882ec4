// Form1 on Win32 with real windows: creation, Load, layout, stay-on-top and quitting.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "host/win32/dpi.h"
#include "win32_test_support.h"
#include "window/instruction_text.h"

namespace {

using win32_test::client_rect;
using win32_test::ProgramTest;
using win32_test::pump_messages;
using win32_test::window_rect;

bool is_topmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SIZE client_size_at(int dpi_x, int dpi_y) {
    return {static_cast<LONG>(std::lround(5910.0 * dpi_x / 1440)),
            static_cast<LONG>(std::lround(4305.0 * dpi_y / 1440))};
}

TEST(Form1Creation, HiddenUntilLoadThenShownWithTheInstruction) {
    win32_host::Win32Program program(GetModuleHandleW(nullptr));
    const HWND form = program.form().hwnd();
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_EQ(win32_test::window_text(program.form().text1().hwnd()), u"");

    program.start();
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(win32_test::window_text(program.form().text1().hwnd()), window::instruction_text);
}

TEST_F(ProgramTest, ClassCaptionStylesAndClientSize) {
    EXPECT_EQ(win32_test::class_name(form()), u"Form1");
    EXPECT_EQ(win32_test::window_text(form()), u"Form1");
    const LONG_PTR style = GetWindowLongPtrW(form(), GWL_STYLE);
    for (const LONG_PTR bit :
         {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }
    EXPECT_EQ(GetMenu(form()), nullptr);

    const win32_host::Dpi dpi = win32_host::window_dpi(form());
    const SIZE expected = client_size_at(dpi.x, dpi.y);
    const RECT client = client_rect(form());
    EXPECT_EQ(client.right, expected.cx);
    EXPECT_EQ(client.bottom, expected.cy);
}

TEST_F(ProgramTest, MetricsAreTwipsOfTheWindowsOwnDpi) {
    const win32_host::Dpi dpi = win32_host::window_dpi(form());
    win32_host::WinWindow& window = program().window();
    EXPECT_FLOAT_EQ(window.twips_per_pixel_x(), 1440.0f / static_cast<float>(dpi.x));
    EXPECT_FLOAT_EQ(window.twips_per_pixel_y(), 1440.0f / static_cast<float>(dpi.y));

    const RECT outer = window_rect(form());
    const RECT client = client_rect(form());
    const float x = window.twips_per_pixel_x();
    const float y = window.twips_per_pixel_y();
    EXPECT_FLOAT_EQ(window.left(), static_cast<float>(outer.left) * x);
    EXPECT_FLOAT_EQ(window.top(), static_cast<float>(outer.top) * y);
    EXPECT_FLOAT_EQ(window.width(), static_cast<float>(outer.right - outer.left) * x);
    EXPECT_FLOAT_EQ(window.height(), static_cast<float>(outer.bottom - outer.top) * y);
    EXPECT_FLOAT_EQ(window.scale_width(), static_cast<float>(client.right) * x);
    EXPECT_FLOAT_EQ(window.scale_height(), static_cast<float>(client.bottom) * y);
    EXPECT_EQ(window.native_handle(), reinterpret_cast<host::NativeWindow>(form()));
}

TEST_F(ProgramTest, Text1FillsTheClientAreaAfterEveryResize) {
    const std::vector<SIZE> sizes = {{300, 200}, {640, 480}, {200, 120}, {520, 400}};
    for (const SIZE size : sizes) {
        SetWindowPos(form(), nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump_messages();
        const RECT client = client_rect(form());
        RECT box = window_rect(text1());
        MapWindowPoints(nullptr, form(), reinterpret_cast<POINT*>(&box), 2);
        EXPECT_TRUE(same_rect(box, client))
            << size.cx << "x" << size.cy << ": text box " << box.left << "," << box.top << "-"
            << box.right << "," << box.bottom << ", client " << client.right << ","
            << client.bottom;
    }
}

TEST_F(ProgramTest, TopmostFromLoadAndAfterEachToggleWithTheRectangleKept) {
    EXPECT_TRUE(is_topmost(form()));
    EXPECT_TRUE(program().core().hoppu().top_on_checked());
    for (const bool expected : {false, true, false, true}) {
        const RECT before = window_rect(form());
        program().core().on_menu_click(window::MenuItem::IDM_top_on_set);
        pump_messages();
        EXPECT_EQ(is_topmost(form()), expected);
        EXPECT_EQ(program().core().hoppu().top_on_checked(), expected);
        EXPECT_TRUE(same_rect(window_rect(form()), before));
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
