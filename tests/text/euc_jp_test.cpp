// EUC-JP decoding: the mapping both platforms share, and one U+FFFD for each character that
// neither may show and for each byte that starts none.
#include "text/euc_jp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "same_text.h"

namespace text {
namespace {

using namespace std::string_literals;

struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
};

TEST(DecodeEucJp, CharactersAndReplacements) {
    const std::vector<Case> cases = {
        {"empty", "", u""},
        {"ascii with its backslash and tilde", "a\\~\r\n", u"a\\~\r\n"},
        {"hiragana and kanji", "\xA4\xA2\xC6\xFC\xCB\xDC", u"あ日本"},
        {"half-width katakana", "\x8E\xB1\x8E\xDD\x8E\xDF", u"ｱﾝﾟ"},
        // Where code page 932 maps the same JIS cells to full-width forms instead.
        {"wave dash", "\xA1\xC1", u"\u301C"},
        {"minus sign", "\xA1\xDD", u"\u2212"},
        {"double vertical line", "\xA1\xC2", u"\u2016"},
        {"cent, pound and not signs", "\xA1\xF1\xA1\xF2\xA2\xCC", u"\u00A2\u00A3\u00AC"},
        {"full-width yen and backslash", "\xA1\xEF\xA1\xC0", u"\uFFE5\uFF3C"},
        {"cell without a character: one replacement for the pair", "\xA9\xA1\xA4\xA2", u"\uFFFDあ"},
        {"cell without a character in row 2", "\xA2\xAF", u"\uFFFD"},
        // Windows maps rows 85 to 94 to private use, iconv not at all.
        {"user-defined rows", "\xF5\xA1\xFE\xFE"s + "a", u"\uFFFD\uFFFDa"},
        // Windows' code page 20932 has no JIS X 0212.
        {"jis x 0212: one replacement for three bytes", "\x8F\xB0\xA1"s + "a", u"\uFFFDa"},
        {"0x8f without two bytes after it", "\x8F\xB0"s + "a", u"\uFFFD\uFFFDa"},
        {"lead byte at the end", "\xA4\xA2\xA4", u"あ\uFFFD"},
        {"lead byte before ascii", "\xA4"s + "a", u"\uFFFDa"},
        {"0x8e before ascii", "\x8E"s + "a", u"\uFFFDa"},
        {"0x8e takes a kana byte even where a pair could start", "\x8E\xA4\xA2", u"､\uFFFD"},
        {"0x8e before a byte past the kana", "\x8E\xE0"s + "a", u"\uFFFD\uFFFDa"},
        // iconv passes 0x80..0x9F through as C1 controls; Windows does not.
        {"bytes that start nothing", "\x80\x9F\xA0\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"nul passes through", "a\0\xA4\xA2"s, u"a\0あ"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decode_euc_jp(c.bytes), c.text);
    }
}

// The converter is given runs of about 64 KiB: a rejected character, or one the decoder replaces
// itself, lands at every kind of place in one, and across the cuts.
TEST(DecodeEucJp, LongTextAcrossRuns) {
    struct Insert {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Insert> inserts = {
        {"nothing", "", u""},
        {"a cell without a character", "\xA9\xA1", u"\uFFFD"},
        {"a jis x 0212 character", "\x8F\xB0\xA1", u"\uFFFD"},
        {"a lone lead byte", "\xA4"s + "!", u"\uFFFD!"},
    };
    for (const Insert& insert : inserts) {
        for (const std::size_t shift : {0u, 1u}) {
            SCOPED_TRACE(std::string(insert.name) + ", shift " + std::to_string(shift));
            std::string bytes(shift, 'a');
            std::u16string text(shift, u'a');
            for (int i = 0; i < 70000; ++i) {
                bytes += "\xA4\xA2\x8E\xB1";
                text += u"あｱ";
                if (i % 7919 == 0) {
                    bytes += insert.bytes;
                    text += insert.text;
                }
            }
            EXPECT_TRUE(text_test::same_text(decode_euc_jp(bytes), text));
        }
    }
}

}  // namespace
}  // namespace text
