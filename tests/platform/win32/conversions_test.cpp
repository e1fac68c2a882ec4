// The Win32 layer's pure conversions: the open dialog's filter list, font heights, mouse
// presses and extended-length paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/viewer/open_command.h"
#include "platform/win32/font_conversion.h"
#include "platform/win32/mouse_press.h"
#include "platform/win32/open_filter.h"
#include "text/win32/wide_strings.h"
#include "text/win32/windows_path.h"

namespace {

using namespace std::string_literals;

TEST(FilterList, PairsLabelsWithPatternsAndEndsWithTwoNuls) {
    struct Case {
        std::u16string filter;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"", u""},
        {u"Text|*.txt", u"Text\0*.txt\0\0"s},
        {u"A|*.a|B|*.b;*.c", u"A\0*.a\0B\0*.b;*.c\0\0"s},
        {u"A|*.a|dangling", u"A\0*.a\0\0"s},
        {u"only a label", u""},
        {u"Empty pattern|", u"Empty pattern\0\0\0"s},
        {std::u16string(viewer::open_filter),
         u"ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini)\0*.txt;*.ini\0HTMLﾌｧｲﾙ(*.htm)\0*.htm\0すべてのﾌｧｲﾙ(*.*)\0*.*\0\0"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::win32::filter_list_from_filter(c.filter), c.expected);
    }
}

TEST(FontConversion, HeightsAndPointsAtEachDpi) {
    struct Case {
        float points;
        int dpi;
        LONG height;
        float points_back;
    };
    const std::vector<Case> cases = {
        {9, 96, -12, 9},  {10.5f, 96, -14, 10.5f}, {12, 96, -16, 12},   {9, 120, -15, 9},
        {9, 144, -18, 9}, {11, 96, -15, 11.25f},   {72, 192, -192, 72}, {8.25f, 96, -11, 8.25f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::win32::height_from_points(c.points, c.dpi), c.height)
            << c.points << " pt at " << c.dpi;
        EXPECT_FLOAT_EQ(platform::win32::points_from_height(c.height, c.dpi), c.points_back);
        // A cell height (positive) is read as the character height.
        EXPECT_FLOAT_EQ(platform::win32::points_from_height(-c.height, c.dpi), c.points_back);
    }
}

TEST(FontConversion, LogfontCarriesFaceWeightAndSlant) {
    const std::vector<host::FontChoice> choices = {
        {u"Tahoma", false, false, 9},
        {u"ＭＳ ゴシック", true, false, 12},
        {u"Noto Sans CJK JP", false, true, 10.5f},
        {u"Times New Roman", true, true, 24},
    };
    for (const host::FontChoice& choice : choices) {
        const LOGFONTW font = platform::win32::logfont_from_choice(choice, 96);
        EXPECT_EQ(font.lfWeight, choice.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfItalic != 0, choice.italic);
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(platform::win32::choice_from_logfont(font, 96), choice);
    }
}

TEST(FontConversion, LongFaceNamesAreCutToFit) {
    const std::u16string long_name(40, u'あ');
    const LOGFONTW font = platform::win32::logfont_from_choice({long_name, false, false, 9}, 96);
    EXPECT_EQ(platform::win32::choice_from_logfont(font, 96).name,
              long_name.substr(0, LF_FACESIZE - 1));
}

TEST(MousePress, ButtonsModifiersAndTwips) {
    struct Case {
        UINT message;
        WPARAM flags;
        bool alt;
        int button;
        int shift;
    };
    const std::vector<Case> cases = {
        {WM_LBUTTONDOWN, MK_LBUTTON, false, host::button_left, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, false, host::button_right, 0},
        {WM_MBUTTONDOWN, MK_MBUTTON, false, host::button_middle, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, false, host::button_right, host::shift_mask},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, false, host::button_right, host::ctrl_mask},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, false, host::button_right,
         host::shift_mask | host::ctrl_mask},
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, true, host::button_right,
         host::shift_mask | host::alt_mask},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_MBUTTON, true, host::button_left,
         host::alt_mask},
    };
    for (const Case& c : cases) {
        const host::MouseDown press =
            platform::win32::mouse_down_from_message(c.message, c.flags, {12, 34}, c.alt, 15, 12);
        EXPECT_EQ(press.button, c.button) << c.message << " " << c.flags;
        EXPECT_EQ(press.shift, c.shift) << c.message << " " << c.flags;
        EXPECT_FLOAT_EQ(press.x, 180);
        EXPECT_FLOAT_EQ(press.y, 408);
    }
}

TEST(ExtendedPath, OnlyLongFullPathsArePrefixed) {
    const std::wstring long_tail(300, L'x');
    struct Case {
        std::wstring path;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {L"C:\\a.txt", L"C:\\a.txt"},
        {L"\\\\server\\share\\a.txt", L"\\\\server\\share\\a.txt"},
        {L"C:\\" + long_tail, L"\\\\?\\C:\\" + long_tail},
        {L"\\\\server\\share\\" + long_tail, L"\\\\?\\UNC\\server\\share\\" + long_tail},
        {L"\\\\?\\C:\\" + long_tail, L"\\\\?\\C:\\" + long_tail},
        {L"\\\\.\\pipe\\" + long_tail, L"\\\\.\\pipe\\" + long_tail},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::with_extended_prefix(c.path), c.expected) << c.path.size();
    }
}

}  // namespace
