// Telling EUC-JP from code page 932: EUC-JP with at most half the ill-formed bytes, and for bytes
// both read whole, whether they look like half-width katakana.
#include "text/legacy_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text {
namespace {

using namespace std::string_literals;

TEST(PickLegacyEncoding, ByIllFormedBytesThenByKana) {
    constexpr auto cp932 = LegacyEncoding::cp932;
    constexpr auto euc_jp = LegacyEncoding::euc_jp;
    struct Case {
        const char* name;
        std::string bytes;
        LegacyEncoding encoding;
    };
    std::string many_kana;
    for (int i = 0; i < 50000; ++i)
        many_kana += "\xA4\xA2\xA4\xCE";
    const std::vector<Case> cases = {
        {"cp932 hiragana: lead bytes EUC-JP lacks", "\x82\xA0\x82\xA2", cp932},
        {"EUC-JP text with 0xfe: no cp932 byte", "\xA4\xA2\xA1\xFE", euc_jp},
        {"EUC-JP lead byte before a line end", "\xA4\xEB\r\n", euc_jp},
        {"neither: cp932, as before", "\x80\xFF", cp932},
        {"one ill-formed byte each: cp932", "\xC3\xA9\xFF", cp932},
        {"EUC-JP with a bad byte, cp932 with two", "\xA4\xCF\xFD\xFE\xA4", euc_jp},
        {"cp932 with a bad byte, EUC-JP with more", "\x82\xA0\xA4\x80", cp932},
        {"EUC-JP with fewer, but more than half as many",
         "\x81\x20\x81\x7F\x83\x0A\xFD\xFE\xFF\xA0\x80\x83\x65", cp932},
        {"EUC-JP with half as many", "\xA4\xEB\n\xA4\xEB\n\xA4", euc_jp},
        {"EUC-JP cut short where cp932 reads whole", "\xA5\xC6\xA5", cp932},
        // Bytes both read whole.
        {"half-width katakana: no pair of kana", "\xC3\xB7\xBD\xC4", cp932},
        {"EUC-JP katakana", "\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8", euc_jp},
        {"EUC-JP hiragana", "\xA4\xA2\xA4\xA4", euc_jp},
        {"kana exactly half the pairs", "\xA4\xB1\xB2\xB3", cp932},
        {"kana more than half the pairs", "\xA4\xB1\xA4\xB2\xB2\xB3", euc_jp},
        {"kanji alone, as half-width katakana could be", "\xBB\xB3\xC5\xC4", cp932},
        {"a byte past 0xdf: a cp932 pair", "\xC6\xFC\xCB\xDC", euc_jp},
        {"EUC-JP half-width katakana: 0x8e", "\x8E\xB1\x8E\xB2", euc_jp},
        {"EUC-JP user-defined row", "\xF5\xA1", euc_jp},
        {"kana half the pairs, ascii between", "ab \xA4\xA2 cd \xB0\xA1\r\n", cp932},
        // The ill-formed bytes are counted over the whole file, however long.
        {"EUC-JP kana, then one cp932 kana", many_kana + "\x82\xA0", cp932},
        {"EUC-JP kana, then a lone EUC-JP lead byte", many_kana + "\xA4", cp932},
        {"EUC-JP kana cut short, but two line ends cp932 cannot read",
         many_kana + "\xA4\xEB\n\xA4\xEB\n" + "\xA4", euc_jp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pick_legacy_encoding(c.bytes), c.encoding);
    }
}

}  // namespace
}  // namespace text
