// The fake host itself: a dialog the test forgot to script fails the test, where it could pass
// for a dialog that failed; a scripted failure is still the core's to handle.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "core/host/host_error.h"
#include "core/window/main_window.h"
#include "fake_host.h"

namespace {

using window::MenuItem;

TEST(FakeHostTest, ADialogWithNoScriptedAnswerFailsTheTestThroughTheCore) {
    for (const MenuItem command : {MenuItem::IDM_open, MenuItem::IDM_font_set}) {
        SCOPED_TRACE(static_cast<int>(command));
        fake::FakeHost fake;
        window::Form1 form(fake.host());
        form.on_load();
        bool escaped = false;
        EXPECT_NONFATAL_FAILURE(
            {
                try {
                    form.on_menu_click(command);
                } catch (const fake::UnscriptedDialog&) {
                    escaped = true;
                }
            },
            "with no answer scripted");
        EXPECT_TRUE(escaped) << "the core took the missing answer for a failed dialog";
    }
}

TEST(FakeHostTest, AnswersArePlayedInTheOrderScripted) {
    fake::FakeHost fake;
    fake.open_answers = {u"C:\\a.txt", fake::cancel, fake::DialogFails{u"壊れました。"}};
    EXPECT_EQ(fake.show_open({}), u"C:\\a.txt");
    EXPECT_EQ(fake.show_open({}), std::nullopt);
    try {
        fake.show_open({});
        ADD_FAILURE() << "a scripted failure threw nothing";
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.message(), u"壊れました。");
    }
    EXPECT_EQ(fake.open_requests.size(), 3u);
}

}  // namespace
