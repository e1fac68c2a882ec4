// Text1 on Win32: the EDIT control's text, styles and font, and the texts it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_error.h"
#include "host/win32/dpi.h"
#include "host/win32/font_conversion.h"
#include "host/win32/wide_strings.h"
#include "win32_test_support.h"
#include "window/instruction_text.h"

namespace {

using win32_test::font_of;
using win32_test::ProgramTest;
using win32_test::window_text;

TEST_F(ProgramTest, InstructionIsTwoLinesWithOneCrLfAndNoneAfter) {
    const std::u16string expected(window::instruction_text);
    EXPECT_EQ(window_text(text1()), expected);
    EXPECT_EQ(SendMessageW(text1(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(ProgramTest, TextRoundTripsWithCrLf) {
    const std::u16string long_line(5000, u'長');
    std::u16string many_lines;
    for (int i = 0; i < 20000; ++i)
        many_lines += u"行 " + std::u16string(20, u'x') + u"\r\n";
    const std::vector<std::u16string> texts = {
        u"", u"one line", u"a\r\nb\r\n", u"\r\n\r\n\r\n",
        u"日本語のテキスト\r\n😀 絵文字と 𠮷\r\n\t字下げ",
        // Rich text's openings are a file's own characters like any others.
        u"{\\rtf1\\ansi{\\fonttbl\\f0 Arial;}\\b bold\\b0\\par}\r\n", u"{\\urtf1 {\\i x}}",
        u"{\\rtf", long_line,
        many_lines,  // past the control's default limit of 32,767 characters
    };
    for (const std::u16string& text : texts) {
        program().form().text1().set_text(text);
        EXPECT_EQ(window_text(text1()), text) << text.size() << " units";
    }
}

TEST_F(ProgramTest, NewTextLeavesNothingToUndoAndTheCaretAtTheTop) {
    SendMessageW(text1(), EM_SETSEL, 0, -1);
    SendMessageW(text1(), WM_CHAR, L'x', 0);
    program().form().text1().set_text(u"first\r\nsecond");
    EXPECT_FALSE(SendMessageW(text1(), EM_CANUNDO, 0, 0));
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(text1(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(ProgramTest, Text1IsAnEditableMultiLineEditWithoutScrollBars) {
    // Class names are compared without regard to case; systems spell this one differently.
    EXPECT_EQ(
        CompareStringOrdinal(win32_host::wstring_from_u16(win32_test::class_name(text1())).c_str(),
                             -1, L"EDIT", -1, TRUE),
        CSTR_EQUAL);
    const LONG_PTR style = GetWindowLongPtrW(text1(), GWL_STYLE);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_EQ(style & ES_READONLY, 0);
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(style & ES_AUTOHSCROLL, 0);
    EXPECT_GE(static_cast<DWORD>(SendMessageW(text1(), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
}

TEST_F(ProgramTest, LongLinesWrapAtTheRightEdge) {
    program().form().text1().set_text(std::u16string(400, u'w'));
    EXPECT_GT(SendMessageW(text1(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(ProgramTest, StartsInTheSystemMessageFont) {
    const int dpi = win32_host::window_dpi(text1()).y;
    const LOGFONTW message = win32_host::message_font(dpi);
    win32_host::EditTextBox& box = program().form().text1();
    EXPECT_EQ(box.font_name(),
              win32_host::u16_from_wide_buffer(win32_host::realized_font(message).lfFaceName));
    EXPECT_FALSE(box.font_name().empty());
    EXPECT_FLOAT_EQ(box.font_size(), win32_host::points_from_height(message.lfHeight, dpi));
    const LOGFONTW shown = font_of(text1());
    EXPECT_EQ(win32_host::u16_from_wide_buffer(shown.lfFaceName), box.font_name());
    EXPECT_EQ(shown.lfHeight, win32_host::height_from_points(box.font_size(), dpi));
}

TEST_F(ProgramTest, FontPropertiesReachTheControl) {
    const std::vector<host::FontChoice> fonts = {
        {u"Tahoma", true, false, 12},
        {u"Noto Sans CJK JP", false, true, 10.5f},
        {u"Courier New", true, true, 20},
        {u"Tahoma", false, false, 9},
    };
    // LOGFONT heights of those sizes, in pixels, at the DPIs the tests run at.
    struct Heights {
        int dpi;
        LONG heights[4];
    };
    const Heights known[] = {
        {96, {-16, -14, -27, -12}},
        {120, {-20, -18, -33, -15}},
        {144, {-24, -21, -40, -18}},
        {192, {-32, -28, -53, -24}},
    };
    const int dpi = win32_host::window_dpi(text1()).y;
    const Heights* heights = nullptr;
    for (const Heights& at : known) {
        if (at.dpi == dpi)
            heights = &at;
    }
    ASSERT_NE(heights, nullptr) << dpi;
    win32_host::EditTextBox& box = program().form().text1();
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const host::FontChoice& font = fonts[i];
        box.set_font_name(font.name);
        box.set_font_bold(font.bold);
        box.set_font_italic(font.italic);
        box.set_font_size(font.size);
        EXPECT_EQ((host::FontChoice{box.font_name(), box.font_bold(), box.font_italic(),
                                    box.font_size()}),
                  font);
        const LOGFONTW shown = font_of(text1());
        EXPECT_EQ(win32_host::u16_from_wide_buffer(shown.lfFaceName), font.name);
        EXPECT_EQ(shown.lfWeight, font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(shown.lfItalic != 0, font.italic);
        EXPECT_EQ(shown.lfHeight, heights->heights[i]) << dpi << " dpi";
    }
}

// The texts the budget refuses are refused before the control sees them; the rest it shows.
TEST_F(ProgramTest, TextsBeyondTheBudgetAreRefusedAndTheOldTextStays) {
    struct Case {
        const char* what;
        std::u16string text;
        bool shown;
    };
    std::u16string empty_lines;
    for (int i = 0; i < 1'000'000; ++i)
        empty_lines += u"\r\n";
    const std::vector<Case> cases = {
        {"a run of 8 Ki letters", std::u16string(8 * 1024, u'a') + u"\r\n", true},
        {"a million empty lines", empty_lines, true},
        {"a run of 64 Ki letters", std::u16string(64 * 1024, u'a') + u"\r\n", false},
        {"a run of 2 Mi letters between lines",
         u"前\r\n" + std::u16string(2 * 1024 * 1024, u'a') + u"\r\n後\r\n", false},
    };
    win32_host::EditTextBox& box = program().form().text1();
    for (const Case& c : cases) {
        box.set_text(u"前のテキスト");
        if (c.shown) {
            box.set_text(c.text);
            EXPECT_EQ(window_text(text1()), c.text) << c.what;
        } else {
            EXPECT_THROW(box.set_text(c.text), host::HostError) << c.what;
            EXPECT_EQ(window_text(text1()), u"前のテキスト") << c.what;
        }
    }
}

}  // namespace
