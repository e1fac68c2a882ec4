// The edit context menu: its items, their states and their commands.
#include "host/win32/edit_menu.h"

#include <richedit.h>

#include "host/host_error.h"

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

// Character positions count a paragraph break as one, as the selection does.
LONG text_length(HWND edit) {
    GETTEXTLENGTHEX request{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(
        SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0));
}

// Closes the clipboard this thread opened.
class ClipboardLock {
  public:
    ClipboardLock() = default;
    ~ClipboardLock() { CloseClipboard(); }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
};

// The text of a clipboard memory block, locked while this lives.
class LockedText {
  public:
    explicit LockedText(HANDLE memory) noexcept
        : memory_(memory), text_(static_cast<const wchar_t*>(GlobalLock(memory))) {}
    ~LockedText() {
        if (text_ != nullptr)
            GlobalUnlock(memory_);
    }
    LockedText(const LockedText&) = delete;
    LockedText& operator=(const LockedText&) = delete;

    const wchar_t* get() const noexcept { return text_; }

  private:
    HANDLE memory_;
    const wchar_t* text_;
};

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
    CHARRANGE selection{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LONG length = text_length(edit);
    return {
        .can_undo = SendMessageW(edit, EM_CANUNDO, 0, 0) != 0,
        .has_selection = selection.cpMax > selection.cpMin,
        .can_paste = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0,
        .all_selected = selection.cpMin == 0 && selection.cpMax >= length,
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
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(edit))
        return;
    const ClipboardLock lock;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr)
        return;
    const LockedText text(data);
    if (text.get() != nullptr) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.get()));
    }
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
