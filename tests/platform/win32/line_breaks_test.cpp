// Where Text1's rows break: where Unicode's line breaking allows, from the system's own line
// breaking, and at the edge where nothing allows a break.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/line_breaks.h"
#include "text/utf.h"
#include "win32_test_support.h"

namespace {

using win32_test::ProgramTest;

std::vector<std::uint8_t> flags(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

TEST(LineBreaksTest, OpportunitiesFollowUnicodeLineBreaking) {
    struct Case {
        const char* what;
        std::u16string text;
        std::vector<std::uint8_t> breaks;  // before each unit
    };
    const std::vector<Case> cases = {
        {"between kanji and kana", u"日本語の", flags({0, 1, 1, 1})},
        {"never before 。 or 、", u"です。で、", flags({0, 1, 0, 1, 0})},
        {"never before small kana", u"ちょっと", flags({0, 0, 0, 1})},
        {"never before ー", u"ラーメン", flags({0, 0, 1, 1})},
        {"never after 「 or before 」", u"「日本」", flags({0, 0, 1, 0})},
        {"never after （ or before ）", u"（注）", flags({0, 0, 0})},
        {"after spaces in Latin text", u"ab cd", flags({0, 0, 0, 1, 0})},
        {"none inside a word", u"word", flags({0, 0, 0, 0})},
        {"empty", u"", flags({})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::win32::break_opportunities(c.text), c.breaks) << c.what;
}

TEST(LineBreaksTest, StylesFlipAtBreaksButNotAfterSpacesAndKeepCharactersWhole) {
    struct Case {
        const char* what;
        std::u16string text;
        std::size_t context;  // units of the text read for context only
        int first_style;
        std::string styles;  // a byte each
    };
    const std::vector<Case> cases = {
        {"Latin alone stays one style", u"ab cd-ef", 0, 0, "00000000"},
        {"each kanji its own run", u"日本語", 0, 0, "000111000"},
        {"no flip before 。", u"です。", 0, 0, "000111111"},
        {"none after a space", u"a 日本", 0, 0, "00000111"},
        {"carried over from the piece before", u"日本", 0, 1, "111000"},
        {"context read, not styled", u"日本語", 1, 0, "111000"},
    };
    for (const Case& c : cases) {
        const std::string bytes = text::utf8_from_utf16(c.text);
        const std::size_t context_bytes = text::utf8_size(c.text.substr(0, c.context));
        std::string shown = platform::win32::break_styles(bytes, context_bytes, c.first_style);
        for (char& style : shown)
            style = static_cast<char>('0' + style);
        EXPECT_EQ(shown, c.styles) << c.what;
    }
}

// The rows of Text1 laid out at a width of a whole number of Japanese characters.
class RowsTest : public ProgramTest {
  protected:
    // At the width of `widest_row` and half a Japanese character more.
    std::vector<std::u16string> rows_at(const std::u16string& text,
                                        const std::u16string& widest_row) {
        platform::win32::ScintillaTextBox& box = program().form().text1();
        box.set_font_name(u"Noto Sans CJK JP");
        box.set_font_size(12);
        box.set_text(text);
        const auto em =
            SendMessageW(text1(), SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<LPARAM>(u8"日"));
        const std::string row_bytes = text::utf8_from_utf16(widest_row);
        const auto row_width = SendMessageW(text1(), SCI_TEXTWIDTH, STYLE_DEFAULT,
                                            reinterpret_cast<LPARAM>(row_bytes.c_str()));
        const RECT outer = win32_test::window_rect(text1());
        const RECT inner = win32_test::client_rect(text1());
        const LONG frame = (outer.right - outer.left) - (inner.right - inner.left);
        // One pixel of margin each side of the text.
        const auto width = static_cast<int>(row_width + em / 2) + 2 + frame;
        SetWindowPos(text1(), nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
        win32_test::paint_now(form());
        const std::u16string shown = box.text();
        const LRESULT height = SendMessageW(text1(), SCI_TEXTHEIGHT, 0, 0);
        std::vector<std::u16string> rows;
        std::string bytes = text::utf8_from_utf16(shown);
        LRESULT last_row = -1;
        for (std::size_t at = 0, unit = 0; at < bytes.size(); ++unit) {
            const std::size_t length = text::utf8_size(shown.substr(unit, 1));
            const LRESULT row =
                SendMessageW(text1(), SCI_POINTYFROMPOSITION, 0, static_cast<LPARAM>(at)) / height;
            if (row != last_row)
                rows.emplace_back();
            rows.back() += shown[unit];
            last_row = row;
            at += length;
        }
        return rows;
    }
};

TEST_F(RowsTest, JapaneseRowsBreakBetweenCharactersButNotBeforeClosingMarks) {
    struct Case {
        const char* what;
        std::u16string text;
        std::u16string widest_row;
        std::vector<std::u16string> rows;
    };
    const std::vector<Case> cases = {
        {"between any two kanji or kana",
         u"日本語の文章です",
         u"日本語の文",
         {u"日本語の文", u"章です"}},
        {"。 does not start a row", u"あいうえお。かき", u"あいうえお", {u"あいうえ", u"お。かき"}},
        {"「 does not end a row", u"あいうえ「お」", u"あいうえ「", {u"あいうえ", u"「お」"}},
        {"ー and small kana stay with what comes before",
         u"あいうラー",
         u"あいうラ",
         {u"あいう", u"ラー"}},
        {"a number is not left alone before Japanese",
         u"0000000 日本語です",
         u"0000000 日本",
         {u"0000000 日本", u"語です"}},
        {"a run with no break breaks at the edge",
         u"あ" + std::u16string(9, u'w'),
         u"あww",
         {}},  // checked by count below
    };
    for (const Case& c : cases) {
        const std::vector<std::u16string> rows = rows_at(c.text, c.widest_row);
        if (c.rows.empty())
            EXPECT_GT(rows.size(), 1u) << c.what;
        else
            EXPECT_EQ(rows, c.rows) << c.what;
    }
}

}  // namespace
