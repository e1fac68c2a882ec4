// Text1's own context menu on Win32: the items a Windows text box has, greyed as it greys them,
// their commands, and pastes by every way in, bounded.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
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
using win32_test::find_thread_window;
using win32_test::menu_of_window;
using win32_test::MenuItemView;
using win32_test::ModalWatch;
using win32_test::ProgramTest;
using win32_test::read_menu;
using win32_test::select;
using win32_test::window_text;

void set_clipboard(HWND owner, const std::wstring* text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (text != nullptr) {
        const std::size_t bytes = (text->size() + 1) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), text->c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

// A clipboard block of exactly `bytes` bytes of `units`, with no NUL added. Wine writes a NUL
// over the last unit of a text block that has none; written again after it is handed over, the
// block holds what any other program could have left there.
void set_clipboard_block(HWND owner, const std::u16string& units, std::size_t bytes) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), units.data(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    if (void* const kept = GlobalLock(memory)) {
        std::memcpy(kept, units.data(), bytes);
        GlobalUnlock(memory);
    }
    CloseClipboard();
}

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
    EXPECT_FALSE(watch.gave_up());
}

std::vector<MenuItemView> edit_menu_items(bool undo, bool cut, bool copy, bool paste, bool clear,
                                          bool select_all) {
    const auto item = [](const char16_t* caption, EditCommand command, bool enabled) {
        return MenuItemView{.caption = caption,
                            .separator = false,
                            .checked = false,
                            .enabled = enabled,
                            .id = static_cast<UINT>(command)};
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
    const std::wstring clip = L"貼る";
    struct Case {
        const char* situation;
        std::function<void(HWND edit)> prepare;
        std::vector<MenuItemView> expected;
    };
    const std::vector<Case> cases = {
        {"no selection, empty clipboard",
         [&](HWND edit) {
             select(edit, 1, 1);
             set_clipboard(edit, nullptr);
         },
         edit_menu_items(false, false, false, false, false, true)},
        {"part selected",
         [&](HWND edit) {
             select(edit, 0, 3);
             set_clipboard(edit, nullptr);
         },
         edit_menu_items(false, true, true, false, true, true)},
        {"all selected, text on the clipboard",
         [&](HWND edit) {
             SendMessageW(edit, SCI_SELECTALL, 0, 0);
             set_clipboard(edit, &clip);
         },
         edit_menu_items(false, true, true, true, true, false)},
        {"after typing",
         [&](HWND edit) {
             select(edit, 0, 0);
             SendMessageW(edit, WM_CHAR, L'x', 0);
             set_clipboard(edit, nullptr);
         },
         edit_menu_items(true, false, false, false, false, true)},
        {"empty text",
         [&](HWND edit) {
             SetWindowTextW(edit, L"");
             SendMessageW(edit, SCI_EMPTYUNDOBUFFER, 0, 0);
         },
         edit_menu_items(false, false, false, false, false, false)},
    };
    for (const Case& c : cases) {
        c.prepare(text1());
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
    set_clipboard(text1(), nullptr);
    // Chosen by their access keys, as a user would from the keyboard.
    with_edit_menu(text1(), [](HWND menu) { PostMessageW(menu, WM_CHAR, L'a', 0); });
    EXPECT_EQ(win32_test::selection_of(text1()), (win32_test::Selection{0, 8}));

    with_edit_menu(text1(), [](HWND menu) { PostMessageW(menu, WM_CHAR, L'c', 0); });
    EXPECT_EQ(clipboard_text(text1()), L"abc\r\ndef");

    with_edit_menu(text1(), [](HWND menu) { PostMessageW(menu, WM_CHAR, L'd', 0); });
    EXPECT_EQ(window_text(text1()), u"");

    with_edit_menu(text1(), [](HWND menu) { PostMessageW(menu, WM_CHAR, L'p', 0); });
    EXPECT_EQ(window_text(text1()), u"abc\r\ndef");
}

TEST_F(ProgramTest, EditCommandsByThemselves) {
    struct Case {
        EditCommand command;
        Sci_Position start;
        Sci_Position end;
        std::u16string text_after;
    };
    const std::vector<Case> cases = {
        {EditCommand::cut, 0, 1, u"bc\r\ndef"},
        {EditCommand::paste, 2, 2, u"bca\r\ndef"},
        {EditCommand::clear, 0, 1, u"ca\r\ndef"},
        {EditCommand::undo, 0, 0, u"bca\r\ndef"},
    };
    program().form().text1().set_text(u"abc\r\ndef");
    set_clipboard(text1(), nullptr);
    for (const Case& c : cases) {
        select(text1(), c.start, c.end);
        platform::win32::run_edit_command(program().form().text1(), c.command);
        EXPECT_EQ(window_text(text1()), c.text_after) << static_cast<int>(c.command);
    }
}

}  // namespace

namespace {

// Scintilla's own paste would not be bounded; every way in ends in the same insertion of the
// clipboard's text.
TEST_F(ProgramTest, EveryPasteInsertsTheClipboardTextInPlaceOfTheSelection) {
    struct Case {
        const char* way;
        std::function<void(HWND edit)> paste;
    };
    const auto with_keys = [](std::vector<int> held, UINT key) {
        return [held = std::move(held), key](HWND edit) {
            std::array<BYTE, 256> keys{};
            GetKeyboardState(keys.data());
            for (const int k : held)
                keys[static_cast<std::size_t>(k)] = 0x80;
            SetKeyboardState(keys.data());
            SendMessageW(edit, WM_KEYDOWN, key, 0);
            SendMessageW(edit, WM_KEYUP, key, 0);
            for (const int k : held)
                keys[static_cast<std::size_t>(k)] = 0;
            SetKeyboardState(keys.data());
        };
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
    const std::wstring clip = L"挿入\r\n";
    for (const Case& c : cases) {
        program().form().text1().set_text(u"abc\r\ndef");
        set_clipboard(text1(), &clip);
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
        set_clipboard_block(text1(), c.block, c.bytes);
        select(text1(), 1, 2);
        SendMessageW(text1(), WM_PASTE, 0, 0);
        EXPECT_EQ(window_text(text1()), c.text_after) << c.what;
    }
}

// Records, for each insertion into the text box, whether the clipboard was open then: the box
// tells its parent of every insertion once asked to.
LRESULT CALLBACK watch_insertions(HWND form, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR /*id*/, DWORD_PTR record) {
    if (message == WM_NOTIFY &&
        reinterpret_cast<const SCNotification*>(lparam)->nmhdr.code == SCN_MODIFIED) {
        reinterpret_cast<std::vector<bool>*>(record)->push_back(GetOpenClipboardWindow() !=
                                                                nullptr);
    }
    return DefSubclassProc(form, message, wparam, lparam);
}

TEST_F(ProgramTest, PastedTextIsInsertedOnlyOnceTheClipboardIsClosed) {
    const std::wstring clip = L"貼る";
    set_clipboard(text1(), &clip);
    std::vector<bool> clipboard_open_at_insert;
    SendMessageW(text1(), SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT, 0);
    ASSERT_TRUE(SetWindowSubclass(form(), &watch_insertions, 1,
                                  reinterpret_cast<DWORD_PTR>(&clipboard_open_at_insert)));
    platform::win32::paste_plain_text(program().form().text1());
    RemoveWindowSubclass(form(), &watch_insertions, 1);
    EXPECT_EQ(clipboard_open_at_insert, std::vector<bool>{false});
    EXPECT_EQ(window_text(text1()).substr(0, 2), u"貼る");
}

// Pastes with the selection from `start` to `end` and answers the error box it brings, if any;
// returns the box's message, empty for none.
std::u16string paste_answering_refusal(HWND box, Sci_Position start, Sci_Position end) {
    std::u16string message;
    ModalWatch watch({[&] {
        const HWND error = find_thread_window(L"#32770", L"エラー");
        if (error == nullptr)
            return false;
        message = window_text(GetDlgItem(error, 0xFFFF));
        PostMessageW(error, WM_COMMAND, IDOK, 0);
        return true;
    }});
    select(box, start, end);
    SendMessageW(box, WM_PASTE, 0, 0);
    return message;
}

// Scintilla reports a failure once it has inserted the text, as it would if something it does
// after an insertion ran out of memory.
LRESULT CALLBACK fail_after_insertion(HWND form, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR /*id*/, DWORD_PTR box) {
    if (message == WM_NOTIFY) {
        const auto& notification = *reinterpret_cast<const SCNotification*>(lparam);
        if (notification.nmhdr.code == SCN_MODIFIED &&
            (notification.modificationType & SC_MOD_INSERTTEXT) != 0) {
            SendMessageW(reinterpret_cast<HWND>(box), SCI_SETSTATUS, SC_STATUS_FAILURE, 0);
        }
    }
    return DefSubclassProc(form, message, wparam, lparam);
}

// A paste that failed is reported; Scintilla's own paste never runs in its place, which would
// insert the text a second time, unbounded.
TEST_F(ProgramTest, AFailedPasteIsReportedAndNotPastedAgain) {
    program().form().text1().set_text(u"abc");
    const std::wstring clip = L"挿入";
    set_clipboard(text1(), &clip);
    ASSERT_TRUE(
        SetWindowSubclass(form(), &fail_after_insertion, 1, reinterpret_cast<DWORD_PTR>(text1())));
    EXPECT_EQ(paste_answering_refusal(text1(), 1, 2),
              u"予期しないエラーが発生しました。\n\nテキストボックスの処理に失敗しました。");
    RemoveWindowSubclass(form(), &fail_after_insertion, 1);
    EXPECT_EQ(window_text(text1()), u"a挿入c");
}

// A paste joining the line before the selection, the clipboard's first line, and so on: the
// longest line it would make decides, as it decides for a file.
TEST_F(ProgramTest, APasteMakingALineBeyondTheLimitIsRefusedWithAMessage) {
    program().form().text1().set_text(u"abc\r\ndef");
    const std::u16string run(platform::scintilla::max_line_bytes - 1, u'a');
    set_clipboard_block(text1(), run, run.size() * sizeof(char16_t));
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
        const std::wstring clip(c.pasted.begin(), c.pasted.end());
        set_clipboard(text1(), &clip);
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
