// The longest line Text1 takes, measured in UTF-8 bytes as the box holds it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/scintilla/long_lines.h"
#include "text/utf.h"

namespace {

using platform::scintilla::longest_line_after_insertion;
using platform::scintilla::longest_line_bytes;

TEST(LongLinesTest, TheLongestLineIsCountedInUtf8BytesWhateverEndsIt) {
    struct Case {
        const char* what;
        std::u16string text;
        std::uint64_t longest;
    };
    const std::vector<Case> cases = {
        {"empty", u"", 0},
        {"one line", u"abc", 3},
        {"kanji weigh three", u"日本語", 9},
        {"a pair weighs four", u"😀a", 5},
        {"CR LF", u"ab\r\nabcd\r\nabc", 4},
        {"LF and lone CR", u"abcde\nab\rabc", 5},
        {"the last line longest", u"a\r\nab\r\n日本", 6},
        {"the first line longest", u"日本\r\na\r\n", 6},
        {"line ends alone", u"\r\n\n\r", 0},
        {"CR, then LF later", u"ab\rcd\nefg", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(longest_line_bytes(text::utf8_from_utf16(c.text)), c.longest) << c.what;
}

TEST(LongLinesTest, AnInsertionJoinsItsFirstAndLastLinesToTheLineAroundIt) {
    struct Case {
        const char* what;
        std::uint64_t before;
        std::string inserted;  // UTF-8
        std::uint64_t after;
        std::uint64_t longest;
    };
    const std::vector<Case> cases = {
        {"one line", 10, "abc", 20, 33},
        {"nothing inserted", 10, "", 20, 30},
        {"first line joins what is before", 10, "abc\r\nx", 2, 13},
        {"last line joins what is after", 1, "abc\r\nxy", 20, 22},
        {"a middle line alone, in bytes", 1, "a\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\nb", 1, 6},
        {"a line break splits the line", 100, "\r\n", 100, 100},
        {"LF and a lone CR break too", 5, "ab\ncd\ref", 5, 7},
        {"a CR last ends the line before what is after", 3, "ab\r", 4, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(longest_line_after_insertion(c.before, c.inserted, c.after), c.longest) << c.what;
}

}  // namespace
