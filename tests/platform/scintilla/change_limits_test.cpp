// What a change may do to the box: the arithmetic of its limits, and the words of a refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scintilla/change_limits.h"

namespace {

using platform::scintilla::ChangeKind;
using platform::scintilla::ChangeLimits;
using platform::scintilla::Verdict;

constexpr ChangeLimits limits{.box_bytes = 100, .line_bytes = 10};

TEST(ChangeLimitsTest, AnInsertionMayFillTheBoxAndALineExactly) {
    struct Case {
        const char* what;
        platform::scintilla::InsertionSite site;
        std::string inserted;
        Verdict verdict;
    };
    const std::vector<Case> cases = {
        {"into an empty box", {0, 0, 0}, "abc", Verdict::allowed},
        {"the box full to the byte", {97, 0, 0}, "abc", Verdict::allowed},
        {"a byte over", {98, 0, 0}, "abc", Verdict::box_too_large},
        {"a box already over takes nothing", {101, 0, 0}, "a", Verdict::box_too_large},
        {"a line full to the byte", {20, 4, 3}, "abc", Verdict::allowed},
        {"a line a byte over", {20, 4, 4}, "abc", Verdict::line_too_long},
        {"a break keeps both halves short", {20, 9, 9}, "a\r\nb", Verdict::allowed},
        {"the first half too long", {20, 9, 0}, "ab\r\nb", Verdict::line_too_long},
        {"the last half too long", {20, 0, 9}, "a\r\nbc", Verdict::line_too_long},
        {"a line of its own too long", {20, 0, 0}, "a\r\n0123456789a\r\n", Verdict::line_too_long},
        {"kana weigh three",
         {20, 2, 0},
         "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82",
         Verdict::line_too_long},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::scintilla::vet_insertion(limits, c.site, c.inserted), c.verdict)
            << c.what;
}

TEST(ChangeLimitsTest, ADeletionMayJoinLinesUpToTheLimit) {
    struct Case {
        const char* what;
        platform::scintilla::DeletionSite site;
        Verdict verdict;
    };
    const std::vector<Case> cases = {
        {"within a line", {false, 50, 50}, Verdict::allowed},
        {"joined to the limit", {true, 6, 4}, Verdict::allowed},
        {"joined a byte past it", {true, 6, 5}, Verdict::line_too_long},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::scintilla::vet_deletion(limits, c.site), c.verdict) << c.what;
}

TEST(ChangeLimitsTest, ARefusalSaysWhatWasNotDoneAndTheLimit) {
    struct Case {
        ChangeKind kind;
        Verdict verdict;
        std::u16string message;
    };
    const std::vector<Case> cases = {
        {ChangeKind::paste, Verdict::box_too_large,
         u"貼り付けるとテキストが大きすぎるため（上限 256 MiB）、貼り付けませんでした。"},
        {ChangeKind::paste, Verdict::line_too_long,
         u"貼り付けると 1 行が長すぎるため（1 行の上限 32 MiB）、貼り付けませんでした。"},
        {ChangeKind::typing, Verdict::box_too_large,
         u"入力するとテキストが大きすぎるため（上限 256 MiB）、入力しませんでした。"},
        {ChangeKind::deletion, Verdict::line_too_long,
         u"削除すると 1 行が長すぎるため（1 行の上限 32 MiB）、削除しませんでした。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::scintilla::refusal_message(c.kind, c.verdict), c.message);
}

}  // namespace
