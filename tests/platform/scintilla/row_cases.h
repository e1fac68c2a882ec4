// Where rows break, one table for both programs: the platform's break opportunities (Uniscribe's
// on Windows, Qt's on Linux), the styles the row styling gives, and the rows laid out.
#pragma once

#include <string_view>
#include <vector>

namespace row_test {

struct BreakCase {
    const char* what;
    std::u16string_view text;
    std::string_view breaks;  // '1' before each unit a row may break before
};

inline constexpr BreakCase break_cases[] = {
    {"between kanji and kana", u"日本語の", "0111"},
    {"never before 。 or 、", u"です。で、", "01010"},
    {"never before small kana", u"ちょっとファイル", "00011011"},
    {"never before ー", u"ラーメン", "0011"},
    {"never after 「 or before 」", u"「日本」", "0010"},
    {"never after （ or before ）", u"（注）", "000"},
    {"after spaces in Latin text", u"ab cd", "00010"},
    {"none inside a word", u"word", "0000"},
    {"kanji, hiragana and katakana alike", u"漢字かなカナ", "011111"},
    {"half-width katakana too, never before ｰ or ｯ", u"ｶﾀｶﾅｰｯ", "011100"},
    {"never before 々", u"日々ゝ", "000"},
    {"never before ！ or ？", u"本当！？です", "010011"},
    {"never before ・, 〜 or …", u"ア・イ〜ウ…", "001010"},
    {"every kind of bracket", u"『本』【注】〔a〕", "000100100"},
    {"digits stay together", u"2024年です", "0000111"},
    {"Latin words stay whole beside Japanese", u"word日本語word", "00001111000"},
    {"after an ideographic space", u"あ\u3000い", "001"},
    {"empty", u"", ""},
};

struct StyleCase {
    const char* what;
    std::u16string_view text;
    std::string_view styles;  // a digit a UTF-8 byte
};

inline constexpr StyleCase style_cases[] = {
    {"each kanji its own run", u"日本語", "000111000"},
    {"no change before 。", u"です。", "000111111"},
    {"none after a space, which breaks anyway", u"a 日本", "00000111"},
    {"Latin alone keeps one style, breaking at its spaces", u"well-known ab", "0000000000000"},
    {"Latin beside Japanese", u"日a本", "0001000"},
    {"each line starts with the first style", u"日本\r\n語の", "00011111000111"},
};

struct RowCase {
    const char* what;
    std::u16string_view text;
    std::u16string_view widest_row;  // laid out at its width and half a Japanese character more
    std::vector<std::u16string_view> rows;  // none: any number above one
};

inline const RowCase row_cases[] = {
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
    {"a run with no break breaks at the edge", u"あwwwwwwwww", u"あww", {}},
};

}  // namespace row_test
