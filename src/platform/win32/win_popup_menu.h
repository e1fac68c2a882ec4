// Shows the core's popup menu as a Win32 popup menu.
#pragma once

#include <windows.h>

#include <optional>

#include "core/host/popup_menu.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {

// TrackPopupMenu reports a dismissed menu as command 0, so every id is shifted by one.
constexpr UINT command_from_entry_id(int id) {
    return static_cast<UINT>(id) + 1;
}

UniqueMenu build_popup_menu(const host::PopupMenu& menu);

// Modal, left edge at `screen_point`, chosen with the left button; the chosen entry's id, or
// nothing when the menu is dismissed.
std::optional<int> track_popup_menu(const host::PopupMenu& menu, HWND owner, POINT screen_point);

}  // namespace platform::win32
