// Files dropped from the shell (WM_DROPFILES) on the Windows program's window or its text box (its
// command line is tested end to end).
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../../text/temp_dir.h"
#include "modal_watch.h"
#include "win32_test_support.h"

namespace {

using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::u16_path;
using win32_test::window_text;

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

// The shell sends drops to the window under the pointer when it takes files; a drop's files are
// read in order, the first shown.
TEST_F(ProgramTest, BothWindowsTakeFilesFromTheShell) {
    const text_test::TempDir folder;
    const std::filesystem::path first = folder.write(u8"日本語 ファイル.txt", "first");
    const std::filesystem::path second = folder.write("second.txt", "second");
    std::u16string message;
    ModalWatch watch({win32_test::answer_error_box(message)});
    for (const HWND window : {form(), text1()}) {
        EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
        SetWindowTextW(form(), L"before");
        drop_on(window, {window == form() ? first : second, first});
        EXPECT_EQ(window_text(form()), u16_path(window == form() ? first : second));
        EXPECT_EQ(window_text(text1()), window == form() ? u"first\r\n" : u"second\r\n");
    }
    EXPECT_EQ(message, u"");
}

TEST_F(ProgramTest, ADropWhileAMessageBoxIsUpIsRefused) {
    const text_test::TempDir folder;
    const std::filesystem::path file = folder.write("late.txt", "late");
    std::u16string message;
    ModalWatch watch({[&] {
        if (win32_test::find_error_box() == nullptr)
            return false;
        drop_on(text1(), {file});
        return win32_test::answer_error_box(message)();
    }});
    program().dialogs().show_error(u"箱");
    EXPECT_EQ(message, u"箱");
    EXPECT_EQ(window_text(form()), u"Form1");
}

}  // namespace
