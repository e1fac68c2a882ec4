// The font command on the fake host, alone and sharing the dialog with the open command.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "window/main_window.h"

namespace {

using window::MenuItem;

struct FontCommandTest : ::testing::Test {
    fake::FakeHost fake;
    window::Form1 form{fake.host()};

    void SetUp() override {
        form.on_load();
        fake.font = {u"Noto Sans CJK JP", false, true, 10.5f};
        fake.journal.clear();
    }
    void choose_font(std::optional<host::FontChoice> answer) {
        fake.font_answers.push_back(std::move(answer));
        form.on_menu_click(MenuItem::IDM_font_set);
    }
};

TEST_F(FontCommandTest, CopiesTheFontInThenTheChoiceBackInOrder) {
    choose_font(host::FontChoice{u"IPAGothic", true, true, 14});
    const std::vector<std::string> expected{
        "get font name",   "get font bold",     "get font italic",
        "get font size",   "show font",         "set font name IPAGothic",
        "set font bold 1", "set font italic 1", "set font size 14",
    };
    EXPECT_EQ(fake.journal, expected);
    EXPECT_EQ(fake.font_requests.at(0),
              (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
    EXPECT_EQ(fake.font_request_flags.at(0), 1);
    EXPECT_EQ(fake.font, (host::FontChoice{u"IPAGothic", true, true, 14}));
}

TEST_F(FontCommandTest, OkWithoutChangesKeepsTheFont) {
    choose_font(fake.font);
    EXPECT_EQ(fake.font, (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
}

TEST_F(FontCommandTest, CancelBeforeAnyOpenPutsBackTheSameFont) {
    // The dialog's cancel setting is still off: the call returns and the preset comes back.
    choose_font(std::nullopt);
    EXPECT_EQ(fake.font, (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
}

TEST_F(FontCommandTest, CancelAfterTheOpenCommandChangesNothingAndKeepsRunning) {
    fake.open_answers.push_back(std::nullopt);
    form.on_menu_click(MenuItem::IDM_open);  // leaves the shared dialog failing on cancel
    fake.journal.clear();
    choose_font(std::nullopt);
    EXPECT_EQ(fake.journal.back(), "show font");  // nothing copied back
    EXPECT_EQ(fake.font, (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
    choose_font(host::FontChoice{u"IPAMincho", false, false, 12});
    EXPECT_EQ(fake.font, (host::FontChoice{u"IPAMincho", false, false, 12}));
}

TEST_F(FontCommandTest, ChosenFontStaysForTextLoadedLater) {
    choose_font(host::FontChoice{u"IPAGothic", true, true, 14});
    fake.files[u"C:\\a.txt"] = std::vector<std::u16string>{u"later"};
    fake.open_answers.push_back(u"C:\\a.txt");
    form.on_menu_click(MenuItem::IDM_open);
    EXPECT_EQ(fake.text, u"later\r\n");
    EXPECT_EQ(fake.font, (host::FontChoice{u"IPAGothic", true, true, 14}));
    // The open command set the shared dialog's flags; the font command sets its own again.
    choose_font(std::nullopt);
    EXPECT_EQ(fake.font_request_flags.back(), 1);
    EXPECT_EQ(fake.font_requests.back(), (host::FontChoice{u"IPAGothic", true, true, 14}));
}

}  // namespace
