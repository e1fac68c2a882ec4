// Files named from outside the menu (the command line, a drop) on the fake host: which one is
// shown, how, and when it is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/window/main_window.h"
#include "fake_host.h"
#include "text/utf.h"

namespace {

using window::MenuItem;

struct GivenFilesTest : ::testing::Test {
    fake::FakeHost fake;
    window::Form1 form{fake.host()};

    void SetUp() override {
        fake.files[u"D:\\notes\\memo.txt"] = std::vector<std::u16string>{u"memo"};
        fake.files[u"C:\\work\\rel.txt"] = std::vector<std::u16string>{u"rel"};
        fake.folders.insert(u"D:\\notes");
        form.on_load();
    }
};

TEST_F(GivenFilesTest, TheFirstIsShownAsTheDialogsChoiceIs) {
    const std::u16string instruction = fake.text;
    struct Case {
        std::vector<host::GivenFile> files;
        bool cwd_known;
        std::u16string caption;     // empty: the window's caption and text are kept
        std::u16string next_start;  // where the open dialog then starts
        std::u16string message;     // a part of the one message shown, empty for none
    };
    const Case cases[] = {
        {{{u"D:\\notes\\memo.txt"}, {u"rel.txt"}}, true, u"D:\\notes\\memo.txt", u"D:\\notes", u""},
        {{{u"rel.txt"}}, true, u"C:\\work\\rel.txt", u"C:\\work", u""},
        {{{u"E:\\gone.txt"}, {u"rel.txt"}}, true, u"", u"E:\\", u"ファイルが見つかりません。"},
        {{{u"D:\\notes"}}, true, u"", u"C:\\My Documents", u"フォルダーは開けません。"},
        {{{u"https://example.com/a.txt", false}},
         true,
         u"",
         u"C:\\My Documents",
         u"このコンピューター上のファイルではない"},
        {{{u"rel.txt"}}, false, u"", u"C:\\My Documents", u"「rel.txt」を開けませんでした。"},
        {{}, true, u"", u"C:\\My Documents", u""},
    };
    for (const Case& c : cases) {
        const std::string trace = c.files.empty() ? "" : text::utf8_from_utf16(c.files[0].path);
        fake.caption = u"(created)";
        fake.text = instruction;
        fake.errors_shown.clear();
        fake.current_folder.reset();
        if (c.cwd_known)
            fake.current_folder = u"C:\\work";
        window::Form1 fresh{fake.host()};  // no file opened before

        fresh.on_files_given(c.files);
        EXPECT_EQ(fake.caption, c.caption.empty() ? u"(created)" : c.caption) << trace;
        EXPECT_EQ(fake.text == instruction, c.caption.empty()) << trace;
        ASSERT_EQ(fake.errors_shown.size(), c.message.empty() ? 0u : 1u) << trace;
        if (!c.message.empty()) {
            EXPECT_NE(fake.errors_shown[0].find(c.message), std::u16string::npos) << trace;
        }
        EXPECT_EQ(fake.busy_depth, 0);
        fake.open_answers.emplace_back(fake::cancel);
        fresh.on_menu_click(MenuItem::IDM_open);
        EXPECT_EQ(fake.open_requests.back().init_dir, c.next_start) << trace;
    }
    // The rest are never tried, even when the first cannot be shown.
    EXPECT_EQ(std::count(fake.journal.begin(), fake.journal.end(), "open text C:\\work\\rel.txt"),
              1);
}

TEST_F(GivenFilesTest, RefusedWhileADialogOrMenuIsUpAndTakenOnceItHasClosed) {
    const std::function<void()> procedures[] = {
        [&] {
            fake.open_answers.emplace_back(fake::cancel);
            form.on_menu_click(MenuItem::IDM_open);
        },
        [&] {
            fake.font_answers.emplace_back(fake::cancel);
            form.on_menu_click(MenuItem::IDM_font_set);
        },
        [&] {
            form.on_text_mouse_down({host::button_right, host::shift_mask, 10, 10});
        },
        [&] { form.on_files_given({{u"E:\\gone.txt"}}); },  // its error box
    };
    for (const auto& run_procedure : procedures) {
        fake.caption = u"(created)";
        int drops = 0;
        fake.while_modal = [&] {
            fake.while_modal = nullptr;
            ++drops;
            form.on_files_given({{u"D:\\notes\\memo.txt"}});
        };
        run_procedure();
        EXPECT_EQ(drops, 1);
        EXPECT_EQ(fake.caption, u"(created)");
        form.on_files_given({{u"D:\\notes\\memo.txt"}});
        EXPECT_EQ(fake.caption, u"D:\\notes\\memo.txt");
    }
}

}  // namespace
