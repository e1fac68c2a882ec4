// The longest line Text1 takes, measured in UTF-8 bytes as the box holds it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scintilla/long_lines.h"

namespace {

using platform::scintilla::longest_line_after_paste;
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
        EXPECT_EQ(longest_line_bytes(c.text), c.longest) << c.what;
}

TEST(LongLinesTest, APasteJoinsItsFirstAndLastLinesToTheLineAroundTheSelection) {
    struct Case {
        const char* what;
        std::uint64_t before;
        std::u16string pasted;
        std::uint64_t after;
        std::uint64_t longest;
    };
    const std::vector<Case> cases = {
        {"one line", 10, u"abc", 20, 33},
        {"nothing pasted", 10, u"", 20, 30},
        {"first line joins what is before", 10, u"abc\r\nx", 2, 13},
        {"last line joins what is after", 1, u"abc\r\nxy", 20, 22},
        {"a middle line alone", 1, u"a\r\n日本語日本語\r\nb", 1, 18},
        {"a pasted line break splits the line", 100, u"\r\n", 100, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(longest_line_after_paste(c.before, c.pasted, c.after), c.longest) << c.what;
}

TEST(LongLinesTest, TheRefusalsSayTheLimit) {
    EXPECT_EQ(platform::scintilla::line_too_long_error().message(),
              u"1 行が長すぎるため表示できません（1 行の上限 32 MiB）。");
    EXPECT_EQ(platform::scintilla::line_too_long_paste_message(),
              u"貼り付けると 1 行が長すぎるため（1 行の上限 32 MiB）、貼り付けませんでした。");
}

}  // namespace
