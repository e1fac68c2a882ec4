// The edit context menu: its items, their states and their commands.
#include "platform/win32/edit_menu.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/host/host_error.h"
#include "platform/common/paste_limit.h"
#include "platform/win32/clipboard_text.h"
#include "platform/win32/error_box.h"
#include "platform/win32/long_lines.h"
#include "text/utf.h"

namespace platform::win32 {
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
    Sci_Position start = 0;
    Sci_Position end = 0;
};

Selection selection_of(const ScintillaCall& call) {
    return {call(SCI_GETSELECTIONSTART), call(SCI_GETSELECTIONEND)};
}

POINT caret_point(const ScintillaCall& call) {
    const Sci_Position caret = call(SCI_GETCURRENTPOS);
    POINT point{
        static_cast<LONG>(call(SCI_POINTXFROMPOSITION, 0, caret)),
        static_cast<LONG>(call(SCI_POINTYFROMPOSITION, 0, caret) + call(SCI_TEXTHEIGHT, 0))};
    RECT client{};
    GetClientRect(call.window(), &client);
    if (!PtInRect(&client, point))
        point = {client.left, client.top};
    ClientToScreen(call.window(), &point);
    return point;
}

void show_refusal(const ScintillaTextBox& box, const std::u16string& message) {
    show_error_box(GetParent(box.hwnd()), message.c_str(), MB_ICONWARNING);
}

}  // namespace

EditMenuState edit_menu_state(const ScintillaTextBox& box) {
    const ScintillaCall& call = box.call();
    const Selection selection = selection_of(call);
    return {
        .can_undo = call(SCI_CANUNDO) != 0,
        .has_selection = selection.end > selection.start,
        .can_paste = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0,
        .all_selected = selection.start == 0 && selection.end >= call(SCI_GETLENGTH),
        .read_only = call(SCI_GETREADONLY) != 0,
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

void run_edit_command(ScintillaTextBox& box, EditCommand command) {
    const ScintillaCall& call = box.call();
    switch (command) {
        case EditCommand::undo:
            call(SCI_UNDO);
            break;
        case EditCommand::cut:
            call(SCI_CUT);
            break;
        case EditCommand::copy:
            call(SCI_COPY);
            break;
        case EditCommand::paste:
            paste_plain_text(box);
            break;
        case EditCommand::clear:
            call(SCI_CLEAR);
            break;
        case EditCommand::select_all:
            call(SCI_SELECTALL);
            break;
    }
}

void paste_plain_text(ScintillaTextBox& box) {
    // Copied out and the clipboard closed before the text box takes its time over it.
    const std::optional<std::u16string> clipboard = clipboard_text(box.hwnd());
    if (!clipboard)
        return;
    const std::u16string pasted = with_crlf_breaks(*clipboard);
    const ScintillaCall& call = box.call();
    const Selection selection = selection_of(call);
    const auto selected = static_cast<std::uint64_t>(selection.end - selection.start);
    if (!common::paste_fits(static_cast<std::uint64_t>(call(SCI_GETLENGTH)) - selected, pasted)) {
        show_refusal(box, common::paste_too_large_message());
        return;
    }
    const Sci_Position first_line =
        call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(selection.start));
    const Sci_Position last_line = call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(selection.end));
    const auto before = static_cast<std::uint64_t>(
        selection.start - call(SCI_POSITIONFROMLINE, static_cast<uptr_t>(first_line)));
    const auto after = static_cast<std::uint64_t>(
        call(SCI_GETLINEENDPOSITION, static_cast<uptr_t>(last_line)) - selection.end);
    if (longest_line_after_paste(before, pasted, after) > max_line_bytes) {
        show_refusal(box, line_too_long_paste_message());
        return;
    }
    // The clipboard's text ends at its first NUL, so it passes whole as a C string.
    const std::string bytes = text::utf8_from_utf16(pasted);
    call.with_text(SCI_REPLACESEL, 0, bytes.c_str());
}

void show_edit_menu(ScintillaTextBox& box, POINT screen_point) {
    const ScintillaCall& call = box.call();
    if (screen_point.x == -1 && screen_point.y == -1)
        screen_point = caret_point(call);
    // The box takes the focus first, so the commands act where the user sees the caret.
    SetFocus(box.hwnd());
    const UniqueMenu menu = build_edit_menu(edit_menu_state(box));
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen_point.x,
                       screen_point.y, 0, box.hwnd(), nullptr));
    if (chosen >= id_of(EditCommand::undo) && chosen <= id_of(EditCommand::select_all)) {
        run_edit_command(box, static_cast<EditCommand>(chosen));
    }
}

}  // namespace platform::win32
