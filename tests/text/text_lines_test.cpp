// Line splitting: every terminator and its position, and the tally agreeing with the cursor.
#include "text/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/utf.h"

namespace text {
namespace {

using namespace std::string_literals;

struct LinesCase {
    std::u16string text;
    std::vector<std::u16string> lines;
};

const std::vector<LinesCase> lines_cases = {
    {u"", {}},
    {u"a", {u"a"}},
    {u"a\n", {u"a"}},
    {u"\n", {u""}},
    {u"\r\n", {u""}},
    {u"\r", {u""}},
    {u"a\nb", {u"a", u"b"}},
    {u"a\r\nb\r\n", {u"a", u"b"}},
    {u"a\rb", {u"a", u"b"}},
    {u"a\rb\r", {u"a", u"b"}},
    {u"\n\n", {u"", u""}},
    {u"\r\r\n", {u"", u""}},
    {u"\n\r", {u"", u""}},
    {u"\n\r\n\r", {u"", u"", u""}},
    {u"a\r\n\r\nb", {u"a", u"", u"b"}},
    {u"日本\r\n語\n😀", {u"日本", u"語", u"😀"}},
    {u"a\0b\n"s, {u"a\0b"s}},
    // Only CR and LF end lines; other Unicode separators stay in the text.
    {u"a\u2028b\u2029c\u0085d\ve\ff", {u"a\u2028b\u2029c\u0085d\ve\ff"}},
};

TEST(LineCursor, SplitsAtEveryTerminator) {
    for (const LinesCase& c : lines_cases) {
        SCOPED_TRACE(utf8_from_utf16(c.text));
        LineCursor cursor(c.text);
        std::vector<std::u16string> lines;
        while (!cursor.at_end()) {
            const std::u16string_view line = cursor.next_line();
            // Views into the text itself, not copies.
            EXPECT_GE(line.data(), c.text.data());
            EXPECT_LE(line.data() + line.size(), c.text.data() + c.text.size());
            lines.emplace_back(line);
            ASSERT_LE(lines.size(), c.text.size()) << "the cursor does not advance";
        }
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(TallyLines, CountsWhatTheCursorHandsOut) {
    for (const LinesCase& c : lines_cases) {
        SCOPED_TRACE(utf8_from_utf16(c.text));
        std::size_t units = 0;
        for (const std::u16string& line : c.lines)
            units += line.size();
        const LineTally tally = tally_lines(c.text);
        EXPECT_EQ(tally.lines, c.lines.size());
        EXPECT_EQ(tally.units, units);
    }
}

}  // namespace
}  // namespace text
