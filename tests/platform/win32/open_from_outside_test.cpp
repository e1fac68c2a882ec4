// Files given to the Windows program from outside the menu: on its command line at start, and
// dropped from the shell (WM_DROPFILES) on the window or its text box.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../../text/temp_dir.h"
#include "core/window/instruction_text.h"
#include "modal_watch.h"
#include "text/utf.h"
#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace {

using win32_test::find_thread_window;
using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::window_text;

std::u16string u16_path(const std::filesystem::path& path) {
    return text::u16_from_wstring(path.wstring());
}

// What the shell hands a window with WS_EX_ACCEPTFILES: DROPFILES and the names after it, each
// ended by a NUL and the list by another. The receiver frees it.
HDROP make_drop(const std::vector<std::filesystem::path>& files) {
    std::wstring names;
    for (const std::filesystem::path& file : files)
        names += file.wstring() + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* const header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void drop_on(HWND target, const std::vector<std::filesystem::path>& files) {
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop(files)), 0);
}

// Reads and closes the error box over Form1 into `message`.
ModalWatch::Step read_error_box(HWND form, std::u16string& message) {
    return [form, &message] {
        const HWND box = find_thread_window(L"#32770", L"エラー");
        if (box == nullptr || GetWindow(box, GW_OWNER) != form)
            return false;
        message = window_text(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

TEST(OpenFromOutside, TheFirstFileOnTheCommandLineIsShownAtStart) {
    const text_test::TempDir folder;
    const std::filesystem::path file = folder.write(u8"起動 メモ.txt", "一行目\r\n二行目");
    platform::win32::Win32Program program(GetModuleHandleW(nullptr));
    program.start({u16_path(file), u"C:\\nonexistent\\second.txt"});
    EXPECT_EQ(window_text(program.form().hwnd()), u16_path(file));
    EXPECT_EQ(window_text(program.form().text1().hwnd()), u"一行目\r\n二行目\r\n");
}

TEST_F(ProgramTest, BothWindowsTakeFilesFromTheShell) {
    for (const HWND window : {form(), text1()})
        EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(ProgramTest, WhatEachDropBrings) {
    const text_test::TempDir folder;
    const std::filesystem::path first = folder.write(u8"日本語 ファイル.txt", "first");
    const std::filesystem::path second = folder.write("second.txt", "second");
    std::filesystem::create_directory(folder.path() / u8"フォルダー");
    struct Case {
        const char* name;
        HWND target;
        std::vector<std::filesystem::path> dropped;
        std::u16string caption, text;  // empty: kept
        std::u16string message_part;   // empty: no message
    };
    const std::vector<Case> cases = {
        {"a file on the form", form(), {first}, u16_path(first), u"first\r\n", u""},
        {"a file on the text box", text1(), {second}, u16_path(second), u"second\r\n", u""},
        {"several files", text1(), {first, second}, u16_path(first), u"first\r\n", u""},
        {"a folder",
         text1(),
         {folder.path() / u8"フォルダー"},
         u"",
         u"",
         u"フォルダーは開けません。"},
        {"a missing file",
         form(),
         {folder.path() / "gone.txt"},
         u"",
         u"",
         u"ファイルが見つかりません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowTextW(form(), L"before");
        program().form().text1().set_text(u"before");
        std::u16string message;
        ModalWatch watch({read_error_box(form(), message)});
        drop_on(c.target, c.dropped);
        EXPECT_EQ(window_text(form()), c.caption.empty() ? u"before" : c.caption);
        EXPECT_EQ(window_text(text1()), c.text.empty() ? u"before" : c.text);
        EXPECT_EQ(watch.finished(), !c.message_part.empty());
        EXPECT_NE(message.find(c.message_part), std::u16string::npos)
            << text::utf8_from_utf16(message);
    }
}

TEST_F(ProgramTest, ADropWhileTheOpenDialogIsUpIsRefused) {
    const text_test::TempDir folder;
    const std::filesystem::path file = folder.write("late.txt", "late");
    bool dropped = false;
    ModalWatch watch({[&] {
        const HWND dialog = find_thread_window(L"#32770");
        if (dialog == nullptr || GetWindow(dialog, GW_OWNER) != form())
            return false;
        drop_on(form(), {file});
        dropped = true;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    program().core().on_menu_click(window::MenuItem::IDM_open);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(window_text(form()), u"Form1");
    EXPECT_EQ(window_text(text1()), window::instruction_text);
    drop_on(text1(), {file});
    EXPECT_EQ(window_text(form()), u16_path(file));
}

}  // namespace
