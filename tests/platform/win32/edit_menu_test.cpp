// Text1's own context menu on Win32: the items a Windows text box has, greyed as it greys them,
// their commands, and pastes by every way in, bounded.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "modal_watch.h"
#include "platform/common/paste_limit.h"
#include "platform/scintilla/change_limits.h"
#include "platform/win32/win_edit_menu.h"
#include "text/win32/wide_strings.h"
#include "win32_test_support.h"

namespace {

using platform::scintilla::EditCommand;
using win32_test::clear_clipboard;
using win32_test::find_thread_window;
using win32_test::menu_of_window;
using win32_test::MenuItemView;
using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::put_block_on_clipboard;
using win32_test::put_on_clipboard;
using win32_test::read_menu;
using win32_test::select;
using win32_test::window_text;

std::wstring clipboard_text(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Opens the edit menu as a right click's WM_CONTEXTMENU does; `in_menu` runs with it open.
void with_edit_menu(HWND edit, const std::function<void(HWND menu)>& in_menu) {
    ModalWatch watch({[&] {
        const HWND menu = find_thread_window(L"#32768");
        if (menu == nullptr)
            return false;
        in_menu(menu);
        return true;
    }});
    POINT at{20, 20};
    ClientToScreen(edit, &at);
    SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(watch.finished());
}

std::vector<MenuItemView> edit_menu_items(bool undo, bool cut, bool copy, bool paste, bool clear,
                                          bool select_all) {
    const auto item = [](const char16_t* caption, EditCommand command, bool enabled) {
        return MenuItemView{caption, false, false, enabled, static_cast<UINT>(command)};
    };
    const MenuItemView separator{.caption = u"", .separator = true, .enabled = false};
    return {
        item(u"元に戻す(&U)", EditCommand::undo, undo),
        separator,
        item(u"切り取り(&T)", EditCommand::cut, cut),
        item(u"コピー(&C)", EditCommand::copy, copy),
        item(u"貼り付け(&P)", EditCommand::paste, paste),
        item(u"削除(&D)", EditCommand::clear, clear),
        separator,
        item(u"すべて選択(&A)", EditCommand::select_all, select_all),
    };
}

TEST_F(ProgramTest, EditMenuItemsAreGreyedAsATextBoxGreysThem) {
    struct Case {
        const char* situation;
        std::u16string text;
        win32_test::Selection selection;
        bool typed;                 // x typed over the selection
        const char16_t* clipboard;  // none: empty
        std::vector<MenuItemView> expected;
    };
    const std::vector<Case> cases = {
        {"no selection, empty clipboard",
         u"abc",
         {1, 1},
         false,
         nullptr,
         edit_menu_items(false, false, false, false, false, true)},
        {"part selected",
         u"abc",
         {0, 2},
         false,
         nullptr,
         edit_menu_items(false, true, true, false, true, true)},
        {"all selected, text on the clipboard",
         u"abc",
         {0, 3},
         false,
         u"貼る",
         edit_menu_items(false, true, true, true, true, false)},
        {"after typing",
         u"abc",
         {0, 0},
         true,
         nullptr,
         edit_menu_items(true, false, false, false, false, true)},
        {"empty text",
         u"",
         {0, 0},
         false,
         nullptr,
         edit_menu_items(false, false, false, false, false, false)},
    };
    for (const Case& c : cases) {
        program().form().text1().set_text(c.text);
        select(text1(), c.selection.start, c.selection.end);
        if (c.typed)
            SendMessageW(text1(), WM_CHAR, L'x', 0);
        if (c.clipboard != nullptr)
            put_on_clipboard(text1(), c.clipboard);
        else
            clear_clipboard(text1());
        std::vector<MenuItemView> shown;
        with_edit_menu(text1(), [&](HWND menu) {
            shown = read_menu(menu_of_window(menu));
            EndMenu();
        });
        EXPECT_EQ(shown, c.expected) << c.situation;
    }
}

TEST_F(ProgramTest, EditMenuCommandsActOnTheText) {
    program().form().text1().set_text(u"abc\r\ndef");
    clear_clipboard(text1());
    // Chosen by their access keys, as a user would from the keyboard.
    const auto choose = [this](wchar_t key) {
        with_edit_menu(text1(), [key](HWND menu) { PostMessageW(menu, WM_CHAR, key, 0); });
    };
    choose(L'a');
    EXPECT_EQ(win32_test::selection_of(text1()), (win32_test::Selection{0, 8}));
    choose(L'c');
    EXPECT_EQ(clipboard_text(text1()), L"abc\r\ndef");
    choose(L'd');
    EXPECT_EQ(window_text(text1()), u"");
    choose(L'p');
    EXPECT_EQ(window_text(text1()), u"abc\r\ndef");
    select(text1(), 0, 1);
    choose(L't');
    EXPECT_EQ(window_text(text1()), u"bc\r\ndef");
    choose(L'u');
    EXPECT_EQ(window_text(text1()), u"abc\r\ndef");
}

// Scintilla's own paste would not be bounded; every way in ends in the same insertion of the
// clipboard's text.
TEST_F(ProgramTest, EveryPasteInsertsTheClipboardTextInPlaceOfTheSelection) {
    struct Case {
        const char* way;
        std::function<void(HWND edit)> paste;
    };
    // Through the message loop, whose WM_CHAR must not paste once more.
    const auto with_keys = [](std::vector<int> held, UINT key) {
        return [held = std::move(held), key](HWND edit) { win32_test::press(edit, held, key); };
    };
    const std::vector<Case> cases = {
        {"menu command",
         [this](HWND) {
             platform::win32::run_edit_command(program().form().text1(), EditCommand::paste);
         }},
        {"WM_PASTE", [](HWND edit) { SendMessageW(edit, WM_PASTE, 0, 0); }},
        {"SCI_PASTE", [](HWND edit) { SendMessageW(edit, SCI_PASTE, 0, 0); }},
        {"Ctrl+V", with_keys({VK_CONTROL}, 'V')},
        {"Shift+Insert", with_keys({VK_SHIFT}, VK_INSERT)},
    };
    for (const Case& c : cases) {
        program().form().text1().set_text(u"abc\r\ndef");
        put_on_clipboard(text1(), u"挿入\r\n");
        select(text1(), 1, 2);
        c.paste(text1());
        EXPECT_EQ(window_text(text1()), u"a挿入\r\nc\r\ndef") << c.way;
        EXPECT_TRUE(SendMessageW(text1(), SCI_CANUNDO, 0, 0)) << c.way;
        SendMessageW(text1(), SCI_UNDO, 0, 0);
        EXPECT_EQ(window_text(text1()), u"abc\r\ndef") << c.way << ": one undo takes it out";
    }
}

TEST_F(ProgramTest, PasteTakesTheBlockUpToItsNulOrItsEndWithCrLfBreaks) {
    struct Case {
        const char* what;
        std::u16string block;
        std::size_t bytes;
        std::u16string text_after;
    };
    const std::vector<Case> cases = {
        {"no terminator", u"挿入", 4, u"a挿入c"},
        {"a NUL inside", std::u16string(u"xy\0z", 4), 8, u"axyc"},
        {"an odd size", u"xyz", 5, u"axyc"},
        {"LF and CR breaks", u"1\n2\r3", 10, u"a1\r\n2\r\n3c"},
        {"rich text's opening", u"{\\rtf1 {\\b b}}", 30, u"a{\\rtf1 {\\b b}}c"},
    };
    for (const Case& c : cases) {
        program().form().text1().set_text(u"abc");
        put_block_on_clipboard(text1(), c.block, c.bytes);
        select(text1(), 1, 2);
        SendMessageW(text1(), WM_PASTE, 0, 0);
        EXPECT_EQ(window_text(text1()), c.text_after) << c.what;
    }
}

// Pastes with the selection from `start` to `end` and answers the error box it brings, if any;
// returns the box's message, empty for none.
std::u16string paste_answering_refusal(HWND box, Sci_Position start, Sci_Position end) {
    std::u16string message;
    ModalWatch watch({win32_test::answer_error_box(message)});
    select(box, start, end);
    SendMessageW(box, WM_PASTE, 0, 0);
    return message;
}

// Records, for each insertion into the box (which tells its parent of each), whether the
// clipboard was open then, and reports a failure after it, as Scintilla would if something it does
// after an insertion ran out of memory.
LRESULT CALLBACK fail_after_insertion(HWND form, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR /*id*/, DWORD_PTR clipboard_open) {
    if (message == WM_NOTIFY) {
        const auto& notification = *reinterpret_cast<const SCNotification*>(lparam);
        if (notification.nmhdr.code == SCN_MODIFIED &&
            (notification.modificationType & SC_MOD_INSERTTEXT) != 0) {
            reinterpret_cast<std::vector<bool>*>(clipboard_open)
                ->push_back(GetOpenClipboardWindow() != nullptr);
            SendMessageW(static_cast<HWND>(notification.nmhdr.hwndFrom), SCI_SETSTATUS,
                         SC_STATUS_FAILURE, 0);
        }
    }
    return DefSubclassProc(form, message, wparam, lparam);
}

// The text goes in once the clipboard is closed, and once only: a paste that failed is reported,
// and Scintilla's own paste never runs in its place, which would insert it again, unbounded.
TEST_F(ProgramTest, APasteInsertsOnceWithTheClipboardClosedAndAFailureIsReported) {
    program().form().text1().set_text(u"abc");
    put_on_clipboard(text1(), u"挿入");
    std::vector<bool> clipboard_open_at_insertions;
    ASSERT_TRUE(SetWindowSubclass(form(), &fail_after_insertion, 1,
                                  reinterpret_cast<DWORD_PTR>(&clipboard_open_at_insertions)));
    EXPECT_EQ(paste_answering_refusal(text1(), 1, 2),
              u"予期しないエラーが発生しました。\n\nテキストボックスの処理に失敗しました。");
    RemoveWindowSubclass(form(), &fail_after_insertion, 1);
    EXPECT_EQ(clipboard_open_at_insertions, std::vector<bool>{false});
    EXPECT_EQ(window_text(text1()), u"a挿入c");
}

// A paste joining the line before the selection, the clipboard's first line, and so on: the
// longest line it would make decides, as it decides for a file.
TEST_F(ProgramTest, APasteMakingALineBeyondTheLimitIsRefusedWithAMessage) {
    program().form().text1().set_text(u"abc\r\ndef");
    const std::u16string run(platform::scintilla::max_line_bytes - 1, u'a');
    put_block_on_clipboard(text1(), run, run.size() * sizeof(char16_t));
    // a + run + c: one byte over.
    EXPECT_EQ(paste_answering_refusal(text1(), 1, 2),
              platform::scintilla::refusal_message(platform::scintilla::ChangeKind::paste,
                                                   platform::scintilla::Verdict::line_too_long));
    EXPECT_EQ(window_text(text1()), u"abc\r\ndef");
}

// The box may hold 256 MiB of UTF-8 after a paste, what it keeps outside the selection counted
// with what comes in; a byte more is refused.
TEST_F(ProgramTest, APasteTakingTheBoxPast256MiBIsRefusedWithAMessage) {
    constexpr std::size_t line_bytes = 1024 * 1024;
    std::u16string full;
    full.reserve(platform::common::max_text_box_bytes);
    for (std::size_t line = 0; line < platform::common::max_text_box_bytes / line_bytes; ++line) {
        full.append(line_bytes - 2, u'a');
        full += u"\r\n";
    }
    program().form().text1().set_text(std::move(full));
    const auto length = static_cast<std::uint64_t>(SendMessageW(text1(), SCI_GETLENGTH, 0, 0));
    ASSERT_EQ(length, platform::common::max_text_box_bytes);
    struct Case {
        const char* what;
        std::u16string pasted;
        bool refused;
        char first_after;
    };
    const Case cases[] = {
        {"one character for one: exactly at the bound", u"X", false, 'X'},
        {"two for one: a byte over", u"YZ", true, 'X'},
        {"one kana, three bytes, for one letter", u"あ", true, 'X'},
    };
    for (const Case& c : cases) {
        put_on_clipboard(text1(), c.pasted);
        const std::u16string message = paste_answering_refusal(text1(), 0, 1);
        EXPECT_EQ(message, c.refused ? platform::common::paste_too_large_message() : u"") << c.what;
        EXPECT_EQ(static_cast<std::uint64_t>(SendMessageW(text1(), SCI_GETLENGTH, 0, 0)),
                  platform::common::max_text_box_bytes)
            << c.what;
        EXPECT_EQ(static_cast<char>(SendMessageW(text1(), SCI_GETCHARAT, 0, 0)), c.first_after)
            << c.what;
    }
}

}  // namespace
