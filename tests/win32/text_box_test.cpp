// Text1 on Win32: the rich edit control's text, styles and font.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/win32/dpi.h"
#include "host/win32/font_conversion.h"
#include "host/win32/wide_strings.h"
#include "win32_test_support.h"
#include "window/instruction_text.h"

namespace {

using win32_test::font_of;
using win32_test::ProgramTest;
using win32_test::rich_edit_text;
using win32_test::window_text;

TEST_F(ProgramTest, InstructionIsTwoLinesWithOneCrLfAndNoneAfter) {
    const std::u16string expected(window::instruction_text);
    EXPECT_EQ(window_text(text1()), expected);
    EXPECT_EQ(rich_edit_text(text1(), true), expected);
    // The control keeps one CR per paragraph break; CR LF is how it hands text out.
    std::u16string cr_only = expected;
    cr_only.erase(cr_only.find(u'\n'), 1);
    EXPECT_EQ(rich_edit_text(text1(), false), cr_only);
    EXPECT_EQ(SendMessageW(text1(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(ProgramTest, TextRoundTripsWithCrLf) {
    const std::u16string long_line(5000, u'長');
    std::u16string many_lines;
    for (int i = 0; i < 20000; ++i)
        many_lines += u"行 " + std::u16string(20, u'x') + u"\r\n";
    const std::vector<std::u16string> texts = {
        u"",
        u"one line",
        u"a\r\nb\r\n",
        u"\r\n\r\n\r\n",
        u"日本語のテキスト\r\n😀 絵文字と 𠮷\r\n\t字下げ",
        long_line,
        many_lines,  // past the control's default limit of 32,767 characters
    };
    for (const std::u16string& text : texts) {
        program().form().text1().set_text(text);
        EXPECT_EQ(rich_edit_text(text1(), true), text) << text.size() << " units";
        EXPECT_EQ(window_text(text1()), text) << text.size() << " units";
    }
}

TEST_F(ProgramTest, NewTextLeavesNothingToUndoAndTheCaretAtTheTop) {
    program().form().text1().set_text(u"first\r\nsecond");
    EXPECT_FALSE(SendMessageW(text1(), EM_CANUNDO, 0, 0));
    CHARRANGE selection{-1, -1};
    SendMessageW(text1(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 0);
    EXPECT_EQ(selection.cpMax, 0);
}

TEST_F(ProgramTest, Text1IsAnEditablePlainRichEditWithoutScrollBars) {
    // Class names are compared without regard to case; systems spell this one differently.
    EXPECT_EQ(
        CompareStringOrdinal(win32_host::wstring_from_u16(win32_test::class_name(text1())).c_str(),
                             -1, MSFTEDIT_CLASS, -1, TRUE),
        CSTR_EQUAL);
    const LONG_PTR style = GetWindowLongPtrW(text1(), GWL_STYLE);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_EQ(style & ES_READONLY, 0);
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(style & ES_AUTOHSCROLL, 0);
    EXPECT_EQ(SendMessageW(text1(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    EXPECT_GE(SendMessageW(text1(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(ProgramTest, LongLinesWrapAtTheRightEdge) {
    program().form().text1().set_text(std::u16string(400, u'w'));
    EXPECT_GT(SendMessageW(text1(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(ProgramTest, StartsInTheSystemMessageFont) {
    const int dpi = win32_host::window_dpi(text1()).y;
    const LOGFONTW message = win32_host::message_font(dpi);
    win32_host::RichTextBox& box = program().form().text1();
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
    win32_host::RichTextBox& box = program().form().text1();
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
        // The whole text takes the font, not only what is typed next.
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(text1(), EM_SETSEL, 0, -1);
        SendMessageW(text1(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(win32_host::u16_from_wide_buffer(format.szFaceName), font.name);
        EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, font.bold);
        EXPECT_EQ((format.dwEffects & CFE_ITALIC) != 0, font.italic);
    }
}

}  // namespace
