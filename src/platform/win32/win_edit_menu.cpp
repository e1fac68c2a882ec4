// The edit menu as a Win32 popup menu, and the program's paste.
#include "platform/win32/win_edit_menu.h"

#include <string>

#include "core/host/host_error.h"
#include "platform/win32/clipboard_text.h"
#include "text/utf.h"

namespace platform::win32 {
namespace {

using scintilla::EditCommand;

UINT id_of(EditCommand command) {
    return static_cast<UINT>(command);
}

POINT caret_point(const ScintillaTextBox& box) {
    const scintilla::ScintillaCall& call = box.call();
    const Sci_Position caret = call(SCI_GETCURRENTPOS);
    POINT point{
        static_cast<LONG>(call(SCI_POINTXFROMPOSITION, 0, caret)),
        static_cast<LONG>(call(SCI_POINTYFROMPOSITION, 0, caret) + call(SCI_TEXTHEIGHT, 0))};
    RECT client{};
    GetClientRect(box.hwnd(), &client);
    if (!PtInRect(&client, point))
        point = {client.left, client.top};
    ClientToScreen(box.hwnd(), &point);
    return point;
}

}  // namespace

scintilla::EditMenuState edit_menu_state(const ScintillaTextBox& box) {
    return scintilla::edit_menu_state(box.call(), IsClipboardFormatAvailable(CF_UNICODETEXT) != 0);
}

UniqueMenu build_edit_menu(const scintilla::EditMenuState& state) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        throw host::HostError(u"メニューを作成できませんでした。");
    for (const scintilla::EditMenuItem& item : scintilla::edit_menu_items(state)) {
        const std::wstring caption(item.caption.begin(), item.caption.end());
        const BOOL appended =
            item.command
                ? AppendMenuW(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                              id_of(*item.command), caption.c_str())
                : AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        if (!appended)
            throw host::HostError(u"メニューを作成できませんでした。");
    }
    return menu;
}

void run_edit_command(ScintillaTextBox& box, EditCommand command) {
    scintilla::run_edit_command(box.call(), command, [&box] { paste_plain_text(box); });
}

void paste_plain_text(ScintillaTextBox& box) {
    // Copied out and the clipboard closed before the text box takes its time over it.
    std::optional<std::u16string> clipboard = clipboard_text(box.hwnd());
    if (!clipboard)
        return;
    // The clipboard's text ends at its first NUL, so it passes whole as a C string.
    const std::string bytes = text::utf8_from_utf16(with_crlf_breaks(*clipboard));
    clipboard.reset();
    const scintilla::InsertionGate::Pasting pasting(box.gate());
    box.call().with_text(SCI_REPLACESEL, 0, bytes.c_str());
}

void show_edit_menu(ScintillaTextBox& box, POINT screen_point) {
    if (screen_point.x == -1 && screen_point.y == -1)
        screen_point = caret_point(box);
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
