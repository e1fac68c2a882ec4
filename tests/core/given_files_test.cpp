// Files named from outside the menu (the command line, a drop) on the fake host: which one is
// shown, how, and when it is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/window/main_window.h"
#include "fake_host.h"
#include "text/utf.h"

namespace {

using host::GivenFile;
using window::MenuItem;

struct GivenFilesTest : ::testing::Test {
    fake::FakeHost fake;
    window::Form1 form{fake.host()};

    void SetUp() override {
        fake.files[u"D:\\notes\\memo.txt"] = std::vector<std::u16string>{u"memo"};
        fake.files[u"C:\\work\\rel.txt"] = std::vector<std::u16string>{u"rel"};
        fake.files[u"D:\\other.txt"] = std::vector<std::u16string>{u"other"};
        fake.folders.insert(u"D:\\notes");
        form.on_load();
        fake.journal.clear();
    }
    bool journal_has(std::string_view entry) const {
        return std::find(fake.journal.begin(), fake.journal.end(), entry) != fake.journal.end();
    }
};

TEST_F(GivenFilesTest, TheFirstIsShownAsTheOpenCommandShowsItsChoice) {
    const std::u16string instruction = fake.text;
    struct Case {
        const char* name;
        std::vector<GivenFile> files;
        bool cwd_known;
        std::u16string caption, text;  // after; "(created)" and the instruction when kept
        std::u16string next_start;
        std::vector<std::u16string> in_error;  // parts of the one message, none for no message
    };
    const std::u16string kept = u"(kept)";
    const Case cases[] = {
        {"a file",
         {{u"D:\\notes\\memo.txt"}},
         true,
         u"D:\\notes\\memo.txt",
         u"memo\r\n",
         u"D:\\notes",
         {}},
        {"a relative path, made absolute",
         {{u"rel.txt"}},
         true,
         u"C:\\work\\rel.txt",
         u"rel\r\n",
         u"C:\\work",
         {}},
        {"the first of several",
         {{u"D:\\notes\\memo.txt"}, {u"D:\\other.txt"}},
         true,
         u"D:\\notes\\memo.txt",
         u"memo\r\n",
         u"D:\\notes",
         {}},
        {"a missing file, the next one not tried",
         {{u"E:\\gone.txt"}, {u"D:\\other.txt"}},
         true,
         kept,
         kept,
         u"E:\\",
         {u"「E:\\gone.txt」", u"ファイルが見つかりません。"}},
        {"a folder",
         {{u"D:\\notes"}},
         true,
         kept,
         kept,
         u"C:\\My Documents",
         {u"「D:\\notes」", u"フォルダーは開けません。"}},
        {"a web address",
         {{u"https://example.com/a.txt", false}},
         true,
         kept,
         kept,
         u"C:\\My Documents",
         {u"「https://example.com/a.txt」", u"このコンピューター上のファイルではない"}},
        {"no current folder",
         {{u"rel.txt"}},
         false,
         kept,
         kept,
         u"C:\\My Documents",
         {u"「rel.txt」", u"現在のフォルダーがわかりません。"}},
        {"none", {}, true, kept, kept, u"C:\\My Documents", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.caption = u"(created)";
        fake.text = instruction;
        fake.errors_shown.clear();
        fake.journal.clear();
        fake.current_folder =
            c.cwd_known ? std::optional<std::u16string>(u"C:\\work") : std::nullopt;
        window::Form1 form_for_case{fake.host()};  // no file opened before

        form_for_case.on_files_given(c.files);
        EXPECT_EQ(fake.caption, c.caption == kept ? u"(created)" : c.caption);
        EXPECT_EQ(fake.text, c.text == kept ? instruction : c.text);
        if (c.in_error.empty()) {
            EXPECT_TRUE(fake.errors_shown.empty());
        } else {
            ASSERT_EQ(fake.errors_shown.size(), 1u);
            for (const std::u16string& part : c.in_error) {
                EXPECT_NE(fake.errors_shown[0].find(part), std::u16string::npos)
                    << text::utf8_from_utf16(fake.errors_shown[0]);
            }
        }
        EXPECT_FALSE(journal_has("open text D:\\other.txt"));
        EXPECT_EQ(fake.busy_depth, 0);
        fake.open_answers.emplace_back(fake::cancel);
        form_for_case.on_menu_click(MenuItem::IDM_open);
        EXPECT_EQ(fake.open_requests.back().init_dir, c.next_start);
    }
}

TEST_F(GivenFilesTest, RefusedWhileADialogOrMenuIsUpAndTakenOnceItHasClosed) {
    struct Case {
        const char* name;
        std::function<void()> raise;  // the procedure whose modal loop the drop arrives in
    };
    const Case cases[] = {
        {"open dialog",
         [&] {
             fake.open_answers.emplace_back(fake::cancel);
             form.on_menu_click(MenuItem::IDM_open);
         }},
        {"font dialog",
         [&] {
             fake.font_answers.emplace_back(fake::cancel);
             form.on_menu_click(MenuItem::IDM_font_set);
         }},
        {"command menu",
         [&] {
             fake.popup_answer.reset();
             form.on_text_mouse_down({host::button_right, host::shift_mask, 10, 10});
         }},
        {"error box of an earlier file", [&] { form.on_files_given({{u"E:\\gone.txt"}}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.caption = u"(created)";
        int drops = 0;
        fake.while_modal = [&] {
            fake.while_modal = nullptr;
            ++drops;
            form.on_files_given({{u"D:\\notes\\memo.txt"}});
        };
        c.raise();
        EXPECT_EQ(drops, 1);
        EXPECT_EQ(fake.caption, u"(created)");
        form.on_files_given({{u"D:\\notes\\memo.txt"}});
        EXPECT_EQ(fake.caption, u"D:\\notes\\memo.txt");
    }
}

}  // namespace
