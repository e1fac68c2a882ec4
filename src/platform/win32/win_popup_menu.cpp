// The popup menu on Win32.
#include "platform/win32/win_popup_menu.h"

#include <string>

#include "core/host/host_error.h"
#include "platform/common/menu_captions.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {
namespace {

void append_entry(HMENU menu, const host::PopupMenuEntry& entry) {
    BOOL appended = FALSE;
    if (entry.separator) {
        appended = AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
        const UINT flags = MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED);
        appended = AppendMenuW(menu, flags, command_from_entry_id(entry.id),
                               text::wide_c_str(common::caption_as_written(entry.caption)));
    }
    if (!appended)
        throw host::HostError(u"メニューを作成できませんでした。");
}

}  // namespace

UniqueMenu build_popup_menu(const host::PopupMenu& menu) {
    UniqueMenu popup(CreatePopupMenu());
    if (!popup)
        throw host::HostError(u"メニューを作成できませんでした。");
    for (const host::PopupMenuEntry& entry : menu.entries)
        append_entry(popup.get(), entry);
    return popup;
}

std::optional<int> track_popup_menu(const host::PopupMenu& menu, HWND owner, POINT screen_point) {
    const UniqueMenu popup = build_popup_menu(menu);
    const BOOL command = TrackPopupMenu(popup.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                        screen_point.x, screen_point.y, 0, owner, nullptr);
    if (command <= 0)
        return std::nullopt;
    return static_cast<int>(command) - 1;
}

}  // namespace platform::win32
