// The text box's layout estimate: lines, rows and measured units over pieces of text, and the
// budget's verdict on the texts the benchmark measured.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/win32/layout_budget.h"

namespace {

using win32_host::layout_work;
using win32_host::LayoutWork;
using win32_host::RowGeometry;
using win32_host::within_budget;

// Rows of 100 pixels; narrow characters 10 pixels wide, wide ones 20.
constexpr RowGeometry small_rows{.row_width = 100, .narrow_width = 10, .wide_width = 20};
// Text1 at its start size in the system's message font under Wine.
constexpr RowGeometry text1_rows{.row_width = 384, .narrow_width = 6, .wide_width = 12};

// Every figure of the work, so that a difference shows which one.
std::string figures(const LayoutWork& work) {
    return "units " + std::to_string(work.units) + ", lines " + std::to_string(work.lines) +
           ", rows " + std::to_string(work.rows) + ", shaped " + std::to_string(work.shaped_rows) +
           ", measured " + std::to_string(work.measured);
}

TEST(LayoutWork, CountsLinesRowsAndTheUnitsMeasuredForThem) {
    struct Case {
        const char* what;
        std::vector<std::u16string_view> pieces;
        LayoutWork expected;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, {}},
        {"an empty piece", {u""}, {}},
        {"one short line", {u"abc"}, {3, 1, 1, 1, 3}},
        {"a break at the end starts no line", {u"abc\r\n"}, {5, 1, 1, 1, 3}},
        {"empty lines are rows but shape nothing", {u"\r\n\r\n"}, {4, 2, 2, 0, 0}},
        {"CR, LF and CR LF each end a line", {u"a\rb\nc\r\nd"}, {8, 4, 4, 4, 4}},
        {"CR LF split across pieces is one break", {u"ab\r", u"\ncd"}, {6, 2, 2, 2, 4}},
        {"a line runs on across pieces", {u"abc", u"def"}, {6, 1, 1, 1, 6}},
        // 250 pixels over rows of 100: three rows, each measuring the rest of the line again.
        {"a line wrapped into three rows",
         {std::u16string_view(u"abcdefghijklmnopqrstuvwxy")},
         {25, 1, 3, 3, 50}},
        {"five wide characters fill one row", {u"日本語文字"}, {5, 1, 1, 1, 5}},
        {"the sixth wraps", {u"日本語文字列"}, {6, 1, 2, 2, 9}},
        {"a surrogate pair is one wide character", {u"😀😀😀😀😀"}, {10, 1, 1, 1, 10}},
        {"a tab takes a tab stop", {u"\t\t"}, {2, 1, 2, 2, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(figures(layout_work(c.pieces, small_rows)), figures(c.expected)) << c.what;
    }
}

// `count` copies of `line` one after the other, without holding them all at once.
std::vector<std::u16string_view> repeated(std::u16string_view line, std::size_t count) {
    return std::vector<std::u16string_view>(count, line);
}

TEST(LayoutBudget, AdmitsWhatTheBoxShowsInTimeAndRefusesTheRest) {
    // An ordinary line of the benchmark's files: 80 UTF-8 bytes or so.
    const std::u16string_view ordinary =
        u"0001234 The quick brown fox jumps over the lazy dog; 0123456789 ABCDEFGHIJ.\r\n"
        u"0001235 吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。\r\n";
    const std::size_t ordinary_per_mib = 1024 * 1024 / 190;
    const std::u16string run_32k(32 * 1024, u'x');
    const std::u16string run_64k(64 * 1024, u'x');
    const std::u16string run_2m(2 * 1024 * 1024, u'x');
    struct Case {
        const char* what;
        std::vector<std::u16string_view> pieces;
        RowGeometry rows;
        bool admitted;
    };
    const std::vector<Case> cases = {
        {"10 MiB of ordinary lines", repeated(ordinary, 10 * ordinary_per_mib), text1_rows, true},
        {"20 MiB of ordinary lines", repeated(ordinary, 20 * ordinary_per_mib), text1_rows, false},
        {"10 MiB of ordinary lines in a maximised box",
         repeated(ordinary, 10 * ordinary_per_mib),
         {.row_width = 1900, .narrow_width = 6, .wide_width = 12},
         true},
        {"a run of 32 Ki letters", {run_32k}, text1_rows, true},
        {"a run of 64 Ki letters", {run_64k}, text1_rows, false},
        {"a run of 2 Mi letters", {run_2m}, text1_rows, false},
        {"a million empty lines", repeated(u"\r\n", 1'000'000), text1_rows, true},
        // Each row has a record of its own in the box: too many rows outgrow the text.
        {"four million empty lines", repeated(u"\r\n", 4'000'000), text1_rows, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(within_budget(layout_work(c.pieces, c.rows)), c.admitted) << c.what;
}

}  // namespace
