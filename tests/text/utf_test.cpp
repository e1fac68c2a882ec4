// UTF-8 <-> UTF-16 conversions: well-formed input, every kind of ill-formed input, surrogates.
#include "text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace text {
namespace {

using namespace std::string_literals;

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::u16string text;
    bool valid;
};

// Byte strings are joined with + where a hex escape would swallow the letter after it.
const std::vector<Utf8Case> utf8_cases = {
    {"empty", "", u"", true},
    {"ascii", "hello, world", u"hello, world", true},
    {"nul kept", "a\0b"s, u"a\0b"s, true},
    {"two bytes", "caf\xC3\xA9", u"café", true},
    {"three bytes", "\xE6\x97\xA5\xE6\x9C\xAC", u"日本", true},
    {"four bytes as a pair", "\xF0\x9F\x98\x80", u"\U0001F600", true},
    {"U+007F", "\x7F", u"\x7F", true},
    {"U+0080", "\xC2\x80", u"\x80", true},
    {"U+07FF", "\xDF\xBF", u"\x7FF", true},
    {"U+0800", "\xE0\xA0\x80", u"\x800", true},
    {"U+D7FF", "\xED\x9F\xBF", u"\xD7FF", true},
    {"U+E000", "\xEE\x80\x80", u"\xE000", true},
    {"U+FFFF", "\xEF\xBF\xBF", u"\xFFFF", true},
    {"U+10000", "\xF0\x90\x80\x80", u"\U00010000", true},
    {"U+10FFFF", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
    {"encoded U+FFFD is valid", "\xEF\xBF\xBD", u"\uFFFD", true},
    {"long mixed", "abcdefgh\xE6\x97\xA5ijklmnopq\xF0\x9F\x98\x80rstuvwxy\xC3\xA9z",
     u"abcdefgh日ijklmnopq\U0001F600rstuvwxyéz", true},
    {"overlong two bytes", "\xC0\xAF", u"\uFFFD\uFFFD", false},
    {"overlong C1", "\xC1\xBF", u"\uFFFD\uFFFD", false},
    {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
    {"overlong three bytes, high", "\xE0\x9F\xBF", u"\uFFFD\uFFFD\uFFFD", false},
    {"overlong four bytes", "\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"encoded high surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
    {"encoded low surrogate", "\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD", false},
    {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"F5 lead", "\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
    {"FE and FF", "\xFE\xFF", u"\uFFFD\uFFFD", false},
    {"stray continuation", "a\x80"s + "b", u"a\uFFFDb", false},
    {"two stray continuations", "\xBF\x80", u"\uFFFD\uFFFD", false},
    {"truncated two bytes at end", "a\xC3", u"a\uFFFD", false},
    {"truncated three bytes at end", "\xE6\x97", u"\uFFFD", false},
    {"truncated three bytes then ascii", "\xE6\x97"s + "a", u"\uFFFDa", false},
    {"truncated four bytes at end", "\xF0\x9F\x98", u"\uFFFD", false},
    {"truncated four bytes then ascii", "\xF0\x9F\x98"s + "a", u"\uFFFDa", false},
    {"truncated then valid", "\xE6\xE6\x97\xA5", u"\uFFFD日", false},
    {"maximal subparts (Unicode table 3-8)", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
     u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd", false},
    {"bad byte inside an ascii block", "abcdefg\xFFhijklmnop", u"abcdefg\uFFFDhijklmnop", false},
};

TEST(Utf16FromUtf8, DecodesAndReplacesMaximalSubparts) {
    for (const Utf8Case& c : utf8_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf16_from_utf8(c.bytes), c.text);
        EXPECT_EQ(is_valid_utf8(c.bytes), c.valid);
        if (c.valid) {
            EXPECT_EQ(utf8_from_utf16(c.text), c.bytes);
            EXPECT_EQ(utf8_size(c.text), c.bytes.size());
        }
    }
}

// Every position of a character relative to the eight-byte ASCII blocks, and every length.
TEST(Utf16FromUtf8, CharactersAtEveryOffsetOfAsciiRuns) {
    struct Piece {
        std::string bytes;
        std::u16string text;
        bool valid;
    };
    const std::vector<Piece> pieces = {
        {"\xC3\xA9", u"é", true},
        {"\xE6\x97\xA5", u"日", true},
        {"\xF0\x9F\x98\x80", u"\U0001F600", true},
        {"\xFF", u"\uFFFD", false},
        {"\xE6\x97", u"\uFFFD", false},
    };
    for (const Piece& piece : pieces) {
        for (std::size_t length = 0; length <= 24; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {
                std::string bytes(length, 'x');
                std::u16string text(length, u'x');
                bytes.insert(at, piece.bytes);
                text.insert(at, piece.text);
                SCOPED_TRACE(bytes);
                EXPECT_EQ(utf16_from_utf8(bytes), text);
                EXPECT_EQ(is_valid_utf8(bytes), piece.valid);
            }
        }
    }
}

// Runs of bytes that each need a unit of their own outgrow any size guessed from lead bytes.
TEST(Utf16FromUtf8, LongIllFormedRuns) {
    struct Run {
        std::string unit_bytes;
        std::u16string unit_text;
    };
    const std::vector<Run> runs = {
        {"\x80", u"\uFFFD"},
        {"\xBF"s + "a", u"\uFFFDa"},
        {"\xF0\x9F\x98\x80\x80", u"\U0001F600\uFFFD"},
        {"\xE6\x97", u"\uFFFD"},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.unit_bytes);
        std::string bytes;
        std::u16string text;
        for (int i = 0; i < 10000; ++i) {
            bytes += run.unit_bytes;
            text += run.unit_text;
        }
        const std::u16string decoded = utf16_from_utf8(bytes);
        ASSERT_EQ(decoded.size(), text.size());
        const auto mismatch = std::mismatch(decoded.begin(), decoded.end(), text.begin());
        EXPECT_TRUE(mismatch.first == decoded.end())
            << "first difference at unit " << (mismatch.first - decoded.begin());
        EXPECT_FALSE(is_valid_utf8(bytes));
    }
}

// Well-formed text is encoded back in the decoding table above.
TEST(Utf8FromUtf16, ReplacesLoneSurrogates) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"lone high", u"a\xD83D"s + u"b", "a\xEF\xBF\xBD"s + "b"},
        {"lone high at end", u"a\xD83D", "a\xEF\xBF\xBD"},
        {"lone low", u"\xDE00", "\xEF\xBF\xBD"},
        {"reversed pair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"high, then a pair", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8_from_utf16(c.text), c.bytes);
        EXPECT_EQ(utf8_size(c.text), c.bytes.size());
        EXPECT_TRUE(is_valid_utf8(utf8_from_utf16(c.text)));
    }
}

}  // namespace
}  // namespace text
