// The font command on the fake host, alone and sharing the dialog with the open command.
#include <gtest/gtest.h>

#include <limits>

#include "core/host/host_error.h"
#include "core/window/main_window.h"
#include "fake_host.h"

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
    void choose_font(fake::DialogAnswer<host::FontChoice> answer) {
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

TEST_F(FontCommandTest, CancelBeforeAnyOpenPutsBackTheSameFont) {
    // The dialog's cancel setting is still off: the call returns and the preset is copied
    // back, the same four values, rather than the command stopping early.
    choose_font(fake::cancel);
    const std::vector<std::string> after_dialog(fake.journal.begin() + 5, fake.journal.end());
    const std::vector<std::string> expected{"set font name Noto Sans CJK JP", "set font bold 0",
                                            "set font italic 1", "set font size 10.5"};
    EXPECT_EQ(fake.journal.at(4), "show font");
    EXPECT_EQ(after_dialog, expected);
    EXPECT_EQ(fake.font, (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
}

TEST_F(FontCommandTest, SizesNoFontCanHaveLeaveTheSizeAsItWas) {
    for (const float size : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        fake.journal.clear();
        choose_font(host::FontChoice{u"IPAGothic", true, false, size});
        EXPECT_EQ(fake.font, (host::FontChoice{u"IPAGothic", true, false, 10.5f})) << size;
        EXPECT_EQ(fake.journal.back(), "set font italic 0") << size;
    }
}

TEST_F(FontCommandTest, ADialogThatCannotBeShownIsNotTakenForACancel) {
    // Its failure goes on to the layer's failure box as it is; a cancel would end the command
    // quietly.
    const std::u16string why = u"フォントの選択ダイアログを表示できませんでした。";
    try {
        choose_font(fake::DialogFails{why});
        ADD_FAILURE() << "nothing was thrown";
    } catch (const host::DialogCancelled&) {
        ADD_FAILURE() << "reported as a cancel";
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.message(), why);
    }
    EXPECT_EQ(fake.font, (host::FontChoice{u"Noto Sans CJK JP", false, true, 10.5f}));
}

TEST_F(FontCommandTest, CancelAfterTheOpenCommandChangesNothingAndKeepsRunning) {
    fake.open_answers.push_back(fake::cancel);
    form.on_menu_click(MenuItem::IDM_open);  // leaves the shared dialog failing on cancel
    fake.journal.clear();
    choose_font(fake::cancel);
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
    choose_font(fake::cancel);
    EXPECT_EQ(fake.font_request_flags.back(), 1);
    EXPECT_EQ(fake.font_requests.back(), (host::FontChoice{u"IPAGothic", true, true, 14}));
}

}  // namespace
