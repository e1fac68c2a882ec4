// What must hold at any DPI: Form1's size in twips, its metrics, Text1 filling it, its rectangle
// kept over toggles, and font sizes in points. The test command runs this program again in Wine
// prefixes set to other DPIs (its tests carry the CTest label dpi).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/geometry/twips.h"
#include "platform/win32/dpi.h"
#include "win32_test_support.h"

namespace {

using win32_test::client_rect;
using win32_test::ProgramTest;
using win32_test::pump_messages;
using win32_test::shown_font;
using win32_test::window_rect;

bool is_topmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// 5910 x 4305 twips and twips per pixel at the DPIs the tests run at.
struct AtDpi {
    int dpi;
    SIZE client;
    float twips_per_pixel;
};
constexpr AtDpi at_dpi[] = {
    {96, {394, 287}, 15},
    {120, {493, 359}, 12},
    {144, {591, 431}, 10},
    {192, {788, 574}, 7.5f},
};

const AtDpi& expected_at(int dpi) {
    for (const AtDpi& known : at_dpi) {
        if (known.dpi == dpi)
            return known;
    }
    ADD_FAILURE() << "no expectations for " << dpi << " dpi";
    return at_dpi[0];
}

TEST_F(ProgramTest, RunsAtTheDpiTheTestRunAskedFor) {
    // The test command runs these tests again with Wine set to other DPIs.
    char wanted[8] = {};
    const DWORD length = GetEnvironmentVariableA("ONTOP_EXPECTED_DPI", wanted, sizeof wanted);
    const int expected = length > 0 ? std::atoi(wanted) : 96;
    EXPECT_EQ(platform::win32::window_dpi(form()).x, expected);
    EXPECT_EQ(platform::win32::window_dpi(form()).y, expected);
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

    const AtDpi& expected = expected_at(platform::win32::window_dpi(form()).y);
    const RECT client = client_rect(form());
    EXPECT_EQ(client.right, expected.client.cx);
    EXPECT_EQ(client.bottom, expected.client.cy);
}

TEST_F(ProgramTest, MetricsAreTwipsOfTheWindowsOwnDpiAndDivideBackToItsPixels) {
    const AtDpi& expected = expected_at(platform::win32::window_dpi(form()).y);
    platform::win32::WinWindow& window = program().window();
    EXPECT_FLOAT_EQ(window.twips_per_pixel_x(), expected.twips_per_pixel);
    EXPECT_FLOAT_EQ(window.twips_per_pixel_y(), expected.twips_per_pixel);

    const float x = window.twips_per_pixel_x();
    const float y = window.twips_per_pixel_y();
    // Wherever the window stands, the core's Int(twips / twips per pixel) gives its pixels.
    for (const POINT at : {POINT{0, 0}, POINT{31, 17}, POINT{-7, 203}, POINT{333, 1}}) {
        SetWindowPos(form(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT outer = window_rect(form());
        const RECT client = client_rect(form());
        EXPECT_EQ(geometry::pixels_from_twips(window.left(), x), outer.left);
        EXPECT_EQ(geometry::pixels_from_twips(window.top(), y), outer.top);
        EXPECT_EQ(geometry::pixels_from_twips(window.width(), x), outer.right - outer.left);
        EXPECT_EQ(geometry::pixels_from_twips(window.height(), y), outer.bottom - outer.top);
        EXPECT_EQ(geometry::pixels_from_twips(window.scale_width(), x), client.right);
        EXPECT_EQ(geometry::pixels_from_twips(window.scale_height(), y), client.bottom);
    }
    EXPECT_EQ(window.native_handle(), reinterpret_cast<host::NativeWindow>(form()));
}

// Counts the moves the text box is given: each lays its rows out again.
LRESULT CALLBACK count_moves(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                             DWORD_PTR moves) {
    if (message == WM_WINDOWPOSCHANGED)
        ++*reinterpret_cast<int*>(moves);
    return DefSubclassProc(box, message, wparam, lparam);
}

// Height and width set by the layout reach the box as one move.
TEST_F(ProgramTest, Text1FillsTheClientAreaAfterEveryResize) {
    const std::vector<SIZE> sizes = {{300, 200}, {640, 480}, {200, 120}, {520, 400}};
    for (const SIZE size : sizes) {
        int moves = 0;
        ASSERT_TRUE(
            SetWindowSubclass(text1(), &count_moves, 1, reinterpret_cast<DWORD_PTR>(&moves)));
        SetWindowPos(form(), nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RemoveWindowSubclass(text1(), &count_moves, 1);
        EXPECT_EQ(moves, 1) << size.cx << "x" << size.cy;
        pump_messages();
        const RECT client = client_rect(form());
        RECT box = window_rect(text1());
        MapWindowPoints(nullptr, form(), reinterpret_cast<POINT*>(&box), 2);
        EXPECT_TRUE(EqualRect(&box, &client)) << size.cx << "x" << size.cy;
    }
}

TEST_F(ProgramTest, TopmostFromLoadAndAfterEachToggleWithTheRectangleKept) {
    EXPECT_TRUE(is_topmost(form()));
    EXPECT_TRUE(program().core().hoppu().top_on_checked());
    // Odd places and sizes too, which fractional twips per pixel used to lose a pixel of.
    SetWindowPos(form(), nullptr, 31, 17, 413, 301, SWP_NOZORDER);
    const RECT placed = window_rect(form());
    for (const bool expected : {false, true, false, true, false, true}) {
        const RECT before = window_rect(form());
        program().core().on_menu_click(window::MenuItem::IDM_top_on_set);
        pump_messages();
        EXPECT_EQ(is_topmost(form()), expected);
        EXPECT_EQ(program().core().hoppu().top_on_checked(), expected);
        const RECT after = window_rect(form());
        EXPECT_TRUE(EqualRect(&after, &before));
    }
    const RECT last = window_rect(form());
    EXPECT_TRUE(EqualRect(&last, &placed));
}

// Scintilla sizes fonts in points for the window's DPI: a row is taller at a higher DPI.
TEST_F(ProgramTest, FontPropertiesReachTheControl) {
    const std::vector<host::FontChoice> fonts = {
        {u"Tahoma", true, false, 12},
        {u"Noto Sans CJK JP", false, true, 10.5f},
        {u"Courier New", true, true, 20},
        {u"Tahoma", false, false, 9},
    };
    const int dpi = platform::win32::window_dpi(text1()).y;
    platform::win32::ScintillaTextBox& box = program().form().text1();
    for (const host::FontChoice& font : fonts) {
        box.set_font_name(font.name);
        box.set_font_bold(font.bold);
        box.set_font_italic(font.italic);
        box.set_font_size(font.size);
        EXPECT_EQ(shown_font(text1()), font);
        const auto em = static_cast<LRESULT>(font.size * static_cast<float>(dpi) / 72.0f);
        const LRESULT row = SendMessageW(text1(), SCI_TEXTHEIGHT, 0, 0);
        EXPECT_GE(row, em) << font.size << " pt at " << dpi << " dpi";
        EXPECT_LE(row, em * 2) << font.size << " pt at " << dpi << " dpi";
    }
}

}  // namespace
