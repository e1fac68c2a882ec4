// What a change may do to the box: the arithmetic of its limits, and the words of a refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scintilla/change_limits.h"

namespace {

using platform::scintilla::ChangeKind;
using platform::scintilla::Verdict;

constexpr platform::scintilla::ChangeLimits limits{.box_bytes = 100, .line_bytes = 10};

TEST(ChangeLimitsTest, AChangeMayFillTheBoxAndALineToTheByte) {
    struct Case {
        const char* what;
        platform::scintilla::InsertionSite site;
        std::string inserted;
        Verdict verdict;
    };
    const std::vector<Case> cases = {
        {"the box full to the byte", {97, 0, 0}, "abc", Verdict::allowed},
        {"a byte over", {98, 0, 0}, "abc", Verdict::box_too_large},
        {"a box already over takes nothing", {101, 0, 0}, "a", Verdict::box_too_large},
        {"a line full to the byte", {20, 4, 3}, "abc", Verdict::allowed},
        {"kana weigh three",
         {20, 2, 0},
         "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82",
         Verdict::line_too_long},
        {"the last half too long", {20, 0, 9}, "a\r\nbc", Verdict::line_too_long},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::scintilla::vet_insertion(limits, c.site, c.inserted), c.verdict)
            << c.what;
    EXPECT_EQ(platform::scintilla::vet_deletion(limits, {true, 6, 4}), Verdict::allowed);
    EXPECT_EQ(platform::scintilla::vet_deletion(limits, {true, 6, 5}), Verdict::line_too_long);
    EXPECT_EQ(platform::scintilla::vet_deletion(limits, {false, 50, 50}), Verdict::allowed);
}

// A paste's refusals are worded as they always were (common_test.cpp).
TEST(ChangeLimitsTest, ARefusalSaysWhatWasNotDoneAndTheLimit) {
    EXPECT_EQ(platform::scintilla::refusal_message(ChangeKind::typing, Verdict::line_too_long),
              u"入力すると 1 行が長すぎるため（1 行の上限 32 MiB）、入力しませんでした。");
    EXPECT_EQ(platform::scintilla::refusal_message(ChangeKind::deletion, Verdict::line_too_long),
              u"削除すると 1 行が長すぎるため（1 行の上限 32 MiB）、削除しませんでした。");
}

}  // namespace
