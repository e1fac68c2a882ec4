// The edit context menu: its items, their states and their commands.
#include "host/win32/edit_menu.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "host/host_error.h"
#include "host/win32/clipboard_text.h"
#include "host/win32/edit_text_box.h"
#include "host/win32/layout_budget.h"
#include "host/win32/wide_strings.h"

namespace win32_host {
namespace {

UINT id_of(EditCommand command) {
    return static_cast<UINT>(command);
}

void append(HMENU menu, UINT flags, EditCommand command, const wchar_t* caption) {
    if (!AppendMenuW(menu, MF_STRING | flags, id_of(command), caption)) {
        throw host::HostError(u"メニューを作成できませんでした。");
    }
}

void append_separator(HMENU menu) {
    if (!AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)) {
        throw host::HostError(u"メニューを作成できませんでした。");
    }
}

UINT enabled_if(bool enabled) {
    return enabled ? MF_ENABLED : MF_GRAYED;
}

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
};

Selection selection_of(HWND edit) {
    Selection selection;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

std::u16string text_of(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return u16_from_wstring(text);
}

POINT caret_point(HWND edit) {
    POINT caret{};
    GetCaretPos(&caret);
    RECT client{};
    GetClientRect(edit, &client);
    if (!PtInRect(&client, caret))
        caret = {client.left, client.top};
    ClientToScreen(edit, &caret);
    return caret;
}

}  // namespace

EditMenuState edit_menu_state(HWND edit) {
    const Selection selection = selection_of(edit);
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    return {
        .can_undo = SendMessageW(edit, EM_CANUNDO, 0, 0) != 0,
        .has_selection = selection.end > selection.start,
        .can_paste = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0,
        .all_selected = selection.start == 0 && selection.end >= length,
        .read_only = (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0,
    };
}

UniqueMenu build_edit_menu(const EditMenuState& state) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        throw host::HostError(u"メニューを作成できませんでした。");
    const bool writable = !state.read_only;
    append(menu.get(), enabled_if(state.can_undo && writable), EditCommand::undo, L"元に戻す(&U)");
    append_separator(menu.get());
    append(menu.get(), enabled_if(state.has_selection && writable), EditCommand::cut,
           L"切り取り(&T)");
    append(menu.get(), enabled_if(state.has_selection), EditCommand::copy, L"コピー(&C)");
    append(menu.get(), enabled_if(state.can_paste && writable), EditCommand::paste,
           L"貼り付け(&P)");
    append(menu.get(), enabled_if(state.has_selection && writable), EditCommand::clear,
           L"削除(&D)");
    append_separator(menu.get());
    append(menu.get(), enabled_if(!state.all_selected), EditCommand::select_all, L"すべて選択(&A)");
    return menu;
}

void run_edit_command(HWND edit, EditCommand command) {
    switch (command) {
        case EditCommand::undo:
            SendMessageW(edit, EM_UNDO, 0, 0);
            break;
        case EditCommand::cut:
            SendMessageW(edit, WM_CUT, 0, 0);
            break;
        case EditCommand::copy:
            SendMessageW(edit, WM_COPY, 0, 0);
            break;
        case EditCommand::paste:
            paste_plain_text(edit);
            break;
        case EditCommand::clear:
            SendMessageW(edit, WM_CLEAR, 0, 0);
            break;
        case EditCommand::select_all:
            SendMessageW(edit, EM_SETSEL, 0, -1);
            break;
    }
}

void paste_plain_text(HWND edit) {
    // Copied out and the clipboard closed before the text box takes its time over it.
    const std::optional<std::u16string> clipboard = clipboard_text(edit);
    if (!clipboard)
        return;
    const std::u16string pasted = with_crlf_breaks(*clipboard);
    const Selection selection = selection_of(edit);
    const std::u16string current = text_of(edit);
    const std::u16string_view text(current);
    const std::u16string_view after[] = {
        text.substr(0, selection.start), pasted,
        text.substr(std::min<std::size_t>(selection.end, text.size()))};
    if (!within_budget(layout_work(after, row_geometry(edit)))) {
        MessageBoxW(GetParent(edit),
                    L"貼り付けるとテキストが大きすぎるか、長すぎる行ができるため、"
                    L"貼り付けませんでした。",
                    L"エラー", MB_OK | MB_ICONWARNING);
        return;
    }
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide_c_str(pasted)));
}

void show_edit_menu(HWND edit, POINT screen_point) {
    if (screen_point.x == -1 && screen_point.y == -1)
        screen_point = caret_point(edit);
    // EDIT takes the focus first, so the commands act where the user sees the caret.
    SetFocus(edit);
    const UniqueMenu menu = build_edit_menu(edit_menu_state(edit));
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen_point.x,
                       screen_point.y, 0, edit, nullptr));
    if (chosen >= id_of(EditCommand::undo) && chosen <= id_of(EditCommand::select_all)) {
        run_edit_command(edit, static_cast<EditCommand>(chosen));
    }
}

}  // namespace win32_host
