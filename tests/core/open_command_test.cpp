// The open command on the fake host: starting folder, dialog settings, reading, failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/host/host_error.h"
#include "core/viewer/open_command.h"
#include "core/window/main_window.h"
#include "fake_host.h"
#include "text/utf.h"

namespace {

using window::MenuItem;

TEST(StartFolderTest, FolderOfTheLastFile) {
    struct Case {
        std::u16string open_path;
        char16_t separator;
        std::optional<std::u16string> folder;
    };
    const Case cases[] = {
        {u"", u'\\', std::nullopt},
        {u"D:\\notes\\memo.txt", u'\\', u"D:\\notes"},
        {u"C:\\memo.ini", u'\\', u"C:\\"},  // the root, not drive C's current folder
        {u"\\\\server\\share\\a.txt", u'\\', u"\\\\server\\share"},
        {u"C:\\a\\b\\c\\日本語.txt", u'\\', u"C:\\a\\b\\c"},
        {u"memo.txt", u'\\', std::nullopt},
        {u"/home/user/notes/memo.txt", u'/', u"/home/user/notes"},
        {u"/memo.ini", u'/', u"/"},
        {u"/home/user/a\\b.txt", u'/', u"/home/user"},  // a backslash is a name character there
    };
    for (const Case& c : cases) {
        EXPECT_EQ(viewer::folder_of(c.open_path, c.separator), c.folder)
            << text::utf8_from_utf16(c.open_path);
    }
}

struct OpenCommandTest : ::testing::Test {
    fake::FakeHost fake;
    window::Form1 form{fake.host()};

    void SetUp() override {
        form.on_load();
        fake.journal.clear();
    }
    void open(fake::DialogAnswer<std::u16string> answer) {
        fake.open_answers.push_back(std::move(answer));
        form.on_menu_click(MenuItem::IDM_open);
    }
};

TEST_F(OpenCommandTest, FirstUseConfiguresTheDialogAndStartsInTheDefaultFolder) {
    open(fake::cancel);
    ASSERT_EQ(fake.open_requests.size(), 1u);
    const auto& request = fake.open_requests[0];
    EXPECT_EQ(request.flags, 4100);
    EXPECT_EQ(request.file_name, u"");
    EXPECT_EQ(request.init_dir, u"C:\\My Documents");
    EXPECT_EQ(text::utf8_from_utf16(request.filter),
              "ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini)|*.txt;*.ini|HTMLﾌｧｲﾙ(*.htm)|*.htm|すべてのﾌｧｲﾙ(*.*)|*.*");
}

TEST_F(OpenCommandTest, EveryLineGetsCrLfAndTheCaptionFollowsTheText) {
    fake.files[u"D:\\notes\\memo.txt"] = std::vector<std::u16string>{u"a", u"b", u"c"};
    open(u"D:\\notes\\memo.txt");
    EXPECT_EQ(fake.text, u"a\r\nb\r\nc\r\n");
    EXPECT_EQ(fake.caption, u"D:\\notes\\memo.txt");
    EXPECT_EQ(form.open_path(), u"D:\\notes\\memo.txt");
    const std::vector<std::string> expected{"preferred folder",
                                            "is folder C:\\My Documents",
                                            "show open",
                                            "absolute D:\\notes\\memo.txt",
                                            "is folder D:\\notes\\memo.txt",
                                            "busy on",
                                            "open text D:\\notes\\memo.txt",
                                            "text",
                                            "caption D:\\notes\\memo.txt",
                                            "busy off"};
    EXPECT_EQ(fake.journal, expected);
    EXPECT_TRUE(fake.errors_shown.empty());
}

TEST_F(OpenCommandTest, TextIsAssembledExactly) {
    struct Case {
        std::vector<std::u16string> lines;
        std::u16string text;
    };
    const Case cases[] = {
        {{}, u""},
        {{u""}, u"\r\n"},
        {{u"", u""}, u"\r\n\r\n"},
        {{u"日本語", u"😀x"}, u"日本語\r\n😀x\r\n"},
    };
    for (const Case& c : cases) {
        fake.files[u"C:\\f.txt"] = c.lines;
        open(u"C:\\f.txt");
        EXPECT_EQ(fake.text, c.text);
        EXPECT_EQ(fake.caption, u"C:\\f.txt");
    }
}

TEST_F(OpenCommandTest, AFileOpenedBeforeNamesTheFolderWithoutADefaultLookedFor) {
    fake.files[u"D:\\notes\\memo.txt"] = std::vector<std::u16string>{u"x"};
    fake.open_answers = {u"D:\\notes\\memo.txt", fake::cancel, fake::DialogFails{}};
    for (int i = 0; i < 3; ++i)
        form.on_menu_click(MenuItem::IDM_open);
    const auto asked = [&](std::string_view what) {
        return std::count_if(fake.journal.begin(), fake.journal.end(),
                             [&](const std::string& entry) { return entry.starts_with(what); });
    };
    // Only the first use, before any file, looks for a default folder.
    EXPECT_EQ(asked("preferred folder"), 1);
    EXPECT_EQ(asked("is folder C:\\My Documents"), 1);
    EXPECT_EQ(asked("fallback folder"), 0);
    EXPECT_EQ(fake.open_requests.back().init_dir, u"D:\\notes");
}

TEST_F(OpenCommandTest, CancelOrDialogFailureChangesNothing) {
    fake.files[u"D:\\notes\\memo.txt"] = std::vector<std::u16string>{u"kept"};
    open(u"D:\\notes\\memo.txt");
    open(fake::cancel);
    open(fake::DialogFails{});
    open(fake::cancel);
    EXPECT_EQ(fake.text, u"kept\r\n");
    EXPECT_EQ(fake.caption, u"D:\\notes\\memo.txt");
    EXPECT_EQ(fake.open_requests.back().init_dir, u"D:\\notes");
    EXPECT_EQ(fake.open_requests.back().file_name, u"");  // cleared on every use
    EXPECT_TRUE(fake.errors_shown.empty());
}

TEST_F(OpenCommandTest, TextBoxRefusingTheTextKeepsTheCaption) {
    const std::u16string text_before = fake.text;
    fake.files[u"C:\\big.txt"] = std::vector<std::u16string>{u"x"};
    fake.set_text_fails = true;
    open(u"C:\\big.txt");
    EXPECT_EQ(fake.caption, u"(created)");
    EXPECT_EQ(fake.text, text_before);
    EXPECT_EQ(fake.errors_shown.size(), 1u);
    EXPECT_EQ(fake.busy_depth, 0);
}

TEST_F(OpenCommandTest, LinuxPathsUseTheHostsSeparatorAndDefaultFolder) {
    fake.separator = u'/';
    fake.preferred_folder = u"/home/user/Documents";
    fake.folders = {fake.preferred_folder};
    fake.files[u"/memo.ini"] = std::vector<std::u16string>{};
    open(fake::cancel);
    open(u"/memo.ini");
    open(fake::cancel);
    EXPECT_EQ(fake.open_requests[0].init_dir, u"/home/user/Documents");
    EXPECT_EQ(fake.open_requests[2].init_dir, u"/");
    EXPECT_EQ(fake.text, u"");  // an empty file empties the text box
    EXPECT_EQ(fake.caption, u"/memo.ini");
}

// The message names the path and the reason; the caption and text stay, but the next open
// starts in the file's folder.
TEST_F(OpenCommandTest, FilesThatCannotBeReadKeepCaptionAndText) {
    struct Case {
        const char* name;
        fake::FileContents file;
        std::u16string reason;
    };
    const Case cases[] = {
        {"unreadable", fake::FileError{u"このファイルを読む権限がありません。"},
         u"このファイルを読む権限がありません。"},
        {"read error part way", fake::FailsPartWay{{u"first", u"second"}, u"読み込めません。"},
         u"読み込めません。"},
        {"out of memory part way", fake::FailsPartWay{{u"first", u"second"}, std::nullopt},
         std::u16string(host::out_of_memory_text)},
    };
    const std::u16string text_before = fake.text;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.errors_shown.clear();
        fake.files[u"E:\\locked\\half.txt"] = c.file;
        open(u"E:\\locked\\half.txt");
        EXPECT_EQ(fake.text, text_before);
        EXPECT_EQ(fake.caption, u"(created)");
        EXPECT_EQ(form.open_path(), u"E:\\locked\\half.txt");
        ASSERT_EQ(fake.errors_shown.size(), 1u);
        EXPECT_NE(fake.errors_shown[0].find(u"E:\\locked\\half.txt"), std::u16string::npos);
        EXPECT_NE(fake.errors_shown[0].find(c.reason), std::u16string::npos);
        EXPECT_EQ(fake.busy_depth, 0);
    }
    open(fake::cancel);
    EXPECT_EQ(fake.open_requests.back().init_dir, u"E:\\locked");
}

TEST_F(OpenCommandTest, DefaultFolderIsThePreferredThenTheFallbackThenTheDialogsOwn) {
    struct Case {
        const char* name;
        std::u16string preferred, fallback;
        std::set<std::u16string> folders;
        std::u16string start;
        bool fallback_asked;
    };
    const Case cases[] = {
        {"both exist",
         u"C:\\My Documents",
         u"C:\\Docs",
         {u"C:\\My Documents", u"C:\\Docs"},
         u"C:\\My Documents",
         false},
        {"only the fallback", u"C:\\My Documents", u"C:\\Docs", {u"C:\\Docs"}, u"C:\\Docs", true},
        {"neither", u"C:\\My Documents", u"C:\\Docs", {}, u"", true},
        {"no fallback named", u"C:\\My Documents", u"", {u""}, u"", true},
        {"no preferred named", u"", u"/home/me", {u"", u"/home/me"}, u"/home/me", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.preferred_folder = c.preferred;
        fake.fallback_folder = c.fallback;
        fake.folders = c.folders;
        fake.journal.clear();
        EXPECT_EQ(viewer::default_start_folder(fake), c.start);
        // The fallback, which may load a system library to find, only when needed.
        EXPECT_EQ(std::find(fake.journal.begin(), fake.journal.end(), "fallback folder") !=
                      fake.journal.end(),
                  c.fallback_asked);
    }
    open(fake::cancel);
    EXPECT_EQ(fake.open_requests.back().init_dir, u"/home/me");
}

}  // namespace
