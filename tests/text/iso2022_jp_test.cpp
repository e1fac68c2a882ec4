// ISO-2022-JP: which files are taken for it, and how its escape sequences and characters read.
#include "text/iso2022_jp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "same_text.h"

namespace text {
namespace {

using namespace std::string_literals;

TEST(IsIso2022Jp, SevenBitTextThatSwitchesToJapanese) {
    struct Case {
        const char* name;
        std::string bytes;
        bool is_jis;
    };
    const std::vector<Case> cases = {
        {"empty", "", false},
        {"ascii", "plain text\r\n", false},
        {"jis x 0208 by ESC $ B", "a\x1B$B$\"\x1B(B", true},
        {"jis x 0208 by ESC $ @", "\x1B$@$\"", true},
        {"half-width katakana by ESC ( I", "\x1B(I1\x1B(B", true},
        {"only ESC ( J: no Japanese", "\x1B(J\\\x1B(B", false},
        {"only ESC ( B", "\x1B(Babc", false},
        {"terminal colours", "\x1B[31mred\x1B[0m", false},
        {"escape cut short", "abc\x1B$", false},
        {"the escape late in the file", std::string(100000, 'a') + "\x1B$B$\"", true},
        {"a byte from 0x80 up", "\x1B$B$\"\x1B(B\xC3\xA9", false},
        {"a byte from 0x80 up far from the escape", "\x1B$B"s + std::string(100000, '!') + "\x80",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(is_iso2022_jp(c.bytes), c.is_jis);
    }
}

TEST(DecodeIso2022Jp, EscapesCharactersAndReplacements) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"jis x 0208 between ascii", "a\x1B$B$\"$$\x1B(Bb", u"aあいb"},
        {"ESC $ @ reads as ESC $ B", "\x1B$@F|K\\\x1B(B", u"日本"},
        {"no switch back at the end", "\x1B$B$\"", u"あ"},
        {"a line end keeps the set", "\x1B$B$\"\r\n$$\x1B(B", u"あ\r\nい"},
        {"a space keeps the set", "\x1B$B$\" $$", u"あ い"},
        {"jis x 0201 roman", "\x1B(J\\~A\x1B(B\\~", u"\u00A5\u203EA\\~"},
        {"half-width katakana", "\x1B(I1]_\x1B(B", u"ｱﾝﾟ"},
        {"a byte the katakana set lacks", "\x1B(I`1", u"\uFFFDｱ"},
        {"wave dash as in EUC-JP", "\x1B$B!A\x1B(B", u"\u301C"},
        {"cell without a character", "\x1B$B)!$\"", u"\uFFFDあ"},
        {"user-defined rows", "\x1B$Bu!~~$\"", u"\uFFFD\uFFFDあ"},
        {"half a pair before the switch back", "\x1B$B$\"$\x1B(Ba", u"あ\uFFFDa"},
        {"half a pair at the end", "\x1B$B$", u"\uFFFD"},
        {"half a pair before a line end", "\x1B$B$\n", u"\uFFFD\n"},
        {"other escapes pass on as ESC", "\x1B[31m\x1B$(D", u"\x1B[31m\x1B$(D"},
        {"escape cut short", "a\x1B$", u"a\x1B$"},
        {"bytes from 0x80 up", "a\xA4\xA2", u"a\uFFFD\uFFFD"},
        {"nul in the jis x 0208 set", "\x1B$B$\"\0$$"s, u"あ\0い"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decode_iso2022_jp(c.bytes), c.text);
    }
}

// Long runs of kanji with escapes and replacements across the converter's runs.
TEST(DecodeIso2022Jp, LongText) {
    std::string bytes;
    std::u16string text;
    for (int i = 0; i < 40000; ++i) {
        bytes += "\x1B$B$\"$$F|K\\";
        text += u"あい日本";
        if (i % 4999 == 0) {
            bytes += ")!";
            text += u"\uFFFD";
        }
        bytes += "\x1B(B ab\x1B(I1\x1B(B\r\n";
        text += u" abｱ\r\n";
    }
    EXPECT_TRUE(text_test::same_text(decode_iso2022_jp(bytes), text));
}

}  // namespace
}  // namespace text
