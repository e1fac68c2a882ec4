// Start-up, layout, the menu trigger, the no-op items and quitting, on the fake host.
#include <gtest/gtest.h>

#include <sstream>

#include "core/window/main_window.h"
#include "fake_host.h"
#include "text/utf.h"

namespace {

using window::Form1;
using window::MenuItem;

struct MainWindowTest : ::testing::Test {
    fake::FakeHost fake;
    Form1 form{fake.host()};
};

TEST_F(MainWindowTest, LoadSetsTextThenPlacesOnTopThenLaysOutHeightFirst) {
    fake.left_ = 1500;
    fake.top_ = 3000;
    fake.width_ = 6150;
    fake.height_ = 4800;
    form.on_load();
    const std::vector<std::string> expected{
        "text",
        "set_window_pos -1 100 200 410 320 64",
        "height 4305",
        "width 5910",
    };
    EXPECT_EQ(fake.journal, expected);
    EXPECT_EQ(fake.placements.at(0).window, 0x1234);
}

TEST_F(MainWindowTest, InstructionIsExactlyTwoLinesWithOneCrLfBetween) {
    form.on_load();
    EXPECT_EQ(text::utf8_from_utf16(fake.text),
              "ファイルを読み込んでください。\r\nShift 右クリックで､ホップメニューの表示｡");
    // The caption stays the one the window was created with.
    EXPECT_EQ(fake.caption, u"(created)");
}

TEST_F(MainWindowTest, EveryResizeFollowsTheClientAreaWithNoMinimum) {
    form.on_load();
    const std::vector<std::pair<float, float>> sizes{
        {12000, 9000}, {0, 0}, {15.5f, 7.25f}, {5910, 4305}};
    for (const auto& [w, h] : sizes) {
        fake.journal.clear();
        fake.scale_width_ = w;
        fake.scale_height_ = h;
        form.on_resize();
        std::ostringstream width, height;
        width << "width " << w;
        height << "height " << h;
        EXPECT_EQ(fake.journal, (std::vector<std::string>{height.str(), width.str()}));
    }
}

// The pointer's twips, fractions included, reach the menu unchanged.
TEST_F(MainWindowTest, OnlyRightButtonWithShiftAloneOpensTheMenu) {
    struct Press {
        int button, shift;
        bool opens;
    };
    const Press presses[] = {
        {2, 1, true},  {2, 0, false}, {2, 3, false}, {2, 5, false}, {2, 7, false},
        {2, 2, false}, {2, 4, false}, {1, 1, false}, {4, 1, false}, {1, 0, false},
        {4, 0, false}, {3, 1, false}, {6, 1, false},
    };
    form.on_load();
    for (const Press& p : presses) {
        fake.journal.clear();
        const bool handled = form.on_text_mouse_down({p.button, p.shift, 17.5f, 0.25f});
        EXPECT_EQ(handled, p.opens) << "button " << p.button << " shift " << p.shift;
        const std::vector<std::string> expected =
            p.opens ? std::vector<std::string>{"popup 17.5 0.25"} : std::vector<std::string>{};
        EXPECT_EQ(fake.journal, expected) << "button " << p.button << " shift " << p.shift;
    }
}

TEST_F(MainWindowTest, DismissedMenuAndNoOpItemsChangeNothing) {
    form.on_load();
    const std::u16string text_before = fake.text;
    for (const std::optional<int> answer :
         {std::optional<int>{}, std::optional<int>{static_cast<int>(MenuItem::IDM_save)},
          std::optional<int>{static_cast<int>(MenuItem::IDM_overwrite)},
          std::optional<int>{static_cast<int>(MenuItem::senn)}, std::optional<int>{999}}) {
        fake.journal.clear();
        fake.popup_answer = answer;
        EXPECT_TRUE(form.on_text_mouse_down({2, 1, 0, 0}));
        EXPECT_EQ(fake.journal, std::vector<std::string>{"popup 0 0"});
    }
    EXPECT_EQ(fake.text, text_before);
    EXPECT_EQ(fake.caption, u"(created)");
    EXPECT_TRUE(form.hoppu().top_on_checked());
}

TEST_F(MainWindowTest, QuitUnloadsThenEndsWithoutAsking) {
    form.on_load();
    fake.journal.clear();
    fake.popup_answer = static_cast<int>(MenuItem::IDM_end_set);
    form.on_text_mouse_down({2, 1, 0, 0});
    EXPECT_EQ(fake.journal, (std::vector<std::string>{"popup 0 0", "unload", "end"}));
    EXPECT_TRUE(fake.errors_shown.empty());
}

TEST_F(MainWindowTest, ChosenItemRunsItsCommandAfterThePopupCloses) {
    form.on_load();
    fake.journal.clear();
    fake.popup_answer = static_cast<int>(MenuItem::IDM_top_on_set);
    form.on_text_mouse_down({2, 1, 30, 45});
    ASSERT_EQ(fake.journal.size(), 2u);
    EXPECT_EQ(fake.journal[0], "popup 30 45");
    EXPECT_EQ(fake.journal[1].rfind("set_window_pos -2 ", 0), 0u);
}

TEST_F(MainWindowTest, WhereNothingCanStayOnTopTheCheckMarkSaysSoAndTheUserIsToldOnce) {
    fake.stays_on_top = false;
    form.on_load();
    EXPECT_FALSE(form.hoppu().top_on_checked());
    EXPECT_FALSE(form.hoppu().popup().entries.at(5).checked);
    ASSERT_EQ(fake.errors_shown.size(), 1u);
    EXPECT_NE(fake.errors_shown[0].find(u"常に手前に表示できません"), std::u16string::npos);
    // Asked for again, the window is placed on top once more, and the mark still tells the
    // truth; nothing more is said.
    for (int i = 0; i < 3; ++i) {
        form.on_menu_click(MenuItem::IDM_top_on_set);
        EXPECT_EQ(fake.placements.back().insert_after, -1);
        EXPECT_FALSE(form.hoppu().top_on_checked());
    }
    EXPECT_EQ(fake.errors_shown.size(), 1u);
}

}  // namespace
