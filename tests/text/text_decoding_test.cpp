// Decoding a file's bytes: byte-order marks, UTF-8, UTF-16 both ways, ISO-2022-JP, EUC-JP, code
// page 932, NULs.
#include "text/text_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace text {
namespace {

using namespace std::string_literals;

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

// Byte strings are joined with + where a hex escape would swallow the letter after it.
const std::vector<DecodeCase> decode_cases = {
    {"empty", "", u""},
    {"ascii", "plain text\r\n", u"plain text\r\n"},
    {"utf-8 japanese", "日本語のテキスト", u"日本語のテキスト"},
    {"utf-8 outside the bmp", "絵文字😀と𠮷", u"絵文字😀と𠮷"},
    {"utf-8 wins over cp932 when both fit", "caf\xC3\xA9", u"café"},
    {"utf-8 bom dropped", "\xEF\xBB\xBF"s + "abc", u"abc"},
    {"utf-8 bom alone", "\xEF\xBB\xBF", u""},
    {"utf-8 bom forces utf-8 for bad bytes", "\xEF\xBB\xBF"s + "a\xFF", u"a\uFFFD"},
    {"utf-8 bom, only the first dropped", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"},
    {"utf-16 le", "\xFF\xFE"s + "a\0\xE5\x65"s, u"a日"},
    {"utf-16 be", "\xFE\xFF\0a\x65\xE5"s, u"a日"},
    {"utf-16 le bom alone", "\xFF\xFE", u""},
    {"utf-16 be bom alone", "\xFE\xFF", u""},
    {"utf-16 le pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, u"\U0001F600"},
    {"utf-16 be pair", "\xFE\xFF\xD8\x3D\xDE\x00"s, u"\U0001F600"},
    {"utf-16 le lone high", "\xFF\xFE\x3D\xD8"s + "a\0"s, u"\uFFFDa"},
    {"utf-16 le lone high at end", "\xFF\xFE"s + "a\0\x3D\xD8"s, u"a\uFFFD"},
    {"utf-16 le lone low", "\xFF\xFE\x00\xDE"s + "a\0"s, u"\uFFFDa"},
    {"utf-16 le reversed pair", "\xFF\xFE\x00\xDE\x3D\xD8"s, u"\uFFFD\uFFFD"},
    {"utf-16 be high, then a pair", "\xFE\xFF\xD8\x3D\xD8\x3D\xDE\x00"s, u"\uFFFD\U0001F600"},
    {"utf-16 le odd trailing byte", "\xFF\xFE"s + "a\0b"s, u"a\uFFFD"},
    {"utf-16 be single byte", "\xFE\xFF\0"s, u"\uFFFD"},
    {"utf-16 le nul", "\xFF\xFE"s + "a\0\0\0b\0"s, u"a\u2400b"},
    {"utf-16 be nul", "\xFE\xFF\0\0"s, u"\u2400"},
    {"utf-32 le bom read as utf-16 le", "\xFF\xFE\0\0"s, u"\u2400"},
    {"utf-8 nul", "a\0b"s, u"a\u2400b"},
    {"utf-8 nuls only", "\0\0"s, u"\u2400\u2400"},
    {"utf-8 bom then nul", "\xEF\xBB\xBF\0"s, u"\u2400"},
    {"cp932 full-width katakana", "\x83\x65\x83\x4C\x83\x58\x83\x67", u"テキスト"},
    {"cp932 half-width katakana", "\xC3\xB7\xBD\xC4", u"ﾃｷｽﾄ"},
    {"cp932 wave dash is full-width tilde", "\x81\x60", u"\uFF5E"},
    {"cp932 full-width minus", "\x81\x7C", u"\uFF0D"},
    {"cp932 nec circled digit", "\x87\x40", u"①"},
    {"cp932 nec roman numeral", "\x87\x54", u"Ⅰ"},
    {"cp932 nec-selected ibm kanji", "\xED\x40", u"纊"},
    {"cp932 ibm small roman numeral", "\xFA\x40", u"ⅰ"},
    {"cp932 0x5c as a trail byte", "\x95\x5C\x8E\xA6", u"表示"},
    {"cp932 0x5c alone is a backslash", "C:\\\x95\x5C", u"C:\\表"},
    {"cp932 user-defined area", "\xF0\x40", u"\uE000"},
    {"cp932 mixed with ascii", "\x93\xFA\x96\x7B ok\r\n", u"日本 ok\r\n"},
    {"cp932 undefined byte", "\x83\x65\xFF", u"テ\uFFFD"},
    {"cp932 undefined 0x80 and 0xa0", "\x80\x83\x65\xA0", u"\uFFFDテ\uFFFD"},
    {"cp932 lead byte at end", "\x83\x65\x83", u"テ\uFFFD"},
    {"cp932 lead byte before a bad trail", "\x83\x65\x83 a", u"テ\uFFFD a"},
    {"cp932 nuls", "\0\x83\x65"s + "ab\0"s, u"\u2400テab\u2400"},
    {"one bad byte makes all of it cp932", "\xC3\xA9\xFF", u"ﾃｩ\uFFFD"},
    {"iso-2022-jp", "\x1B$B$\"$$\x1B(B\r\n", u"あい\r\n"},
    {"iso-2022-jp nul", "\x1B$B$\"\x1B(B\0"s, u"あ\u2400"},
    {"7-bit with only ESC ( J stays utf-8", "\x1B(J\\", u"\x1B(J\\"},
    {"terminal escapes stay utf-8", "\x1B[1mbold\x1B[0m", u"\x1B[1mbold\x1B[0m"},
    {"8-bit utf-8 beside jis escapes is utf-8", "\x1B$B$\"\x1B(B caf\xC3\xA9",
     u"\x1B$B$\"\x1B(B café"},
    {"utf-8 bom beats iso-2022-jp", "\xEF\xBB\xBF\x1B$B$\"", u"\x1B$B$\""},
    {"euc-jp", "\xC6\xFC\xCB\xDC\xB8\xEC", u"日本語"},
    {"euc-jp nul", "\xC6\xFC\0"s, u"日\u2400"},
    {"euc-jp cell without a character", "\xC6\xFC\xA9\xA1", u"日\uFFFD"},
};

TEST(DecodeText, PicksTheEncodingAndDecodes) {
    for (const DecodeCase& c : decode_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decode_text(c.bytes), c.text);
    }
}

// Long inputs: exercises the converters' buffer sizing, including inputs whose text needs
// more units than a guess from the bytes gives.
TEST(DecodeText, LongInputsInEveryEncoding) {
    struct Repeated {
        const char* name;
        std::string prefix;
        std::string unit_bytes;
        std::u16string unit_text;
    };
    const std::vector<Repeated> cases = {
        {"utf-8", "", "日本語 text\r\n", u"日本語 text\r\n"},
        {"utf-16 le", "\xFF\xFE", "\xE5\x65\0\0"s, u"日\u2400"},
        {"cp932", "", "\x83\x65\x83\x4C\x83\x58\x83\x67\r\n\xFF\0"s, u"テキスト\r\n\uFFFD\u2400"},
        {"cp932 lead bytes before bad trails", "", "\x83 ", u"\uFFFD "},
    };
    for (const Repeated& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = c.prefix;
        std::u16string text;
        for (int i = 0; i < 20000; ++i) {
            bytes += c.unit_bytes;
            text += c.unit_text;
        }
        const std::u16string decoded = decode_text(bytes);
        ASSERT_EQ(decoded.size(), text.size());
        const auto mismatch = std::mismatch(decoded.begin(), decoded.end(), text.begin());
        EXPECT_TRUE(mismatch.first == decoded.end())
            << "first difference at unit " << (mismatch.first - decoded.begin());
    }
}

// Far past the stretch the UTF-8 attempt first reserves memory for.
TEST(DecodeText, OneIllFormedByteFarIntoTheFileMakesItCp932) {
    std::string bytes(300000, 'a');
    bytes += "\x83\x65";
    bytes += '\0';
    std::u16string text(300000, u'a');
    text += u"テ\u2400";
    EXPECT_EQ(decode_text(bytes), text);
}

}  // namespace
}  // namespace text
