// The command menu's popup form and the mapping back from a chosen entry.
#include "core/window/command_menu.h"

namespace window {

host::PopupMenu CommandMenu::popup() const {
    host::PopupMenu menu{.caption = u"hoppu", .entries = {}};
    for (const MenuItemInfo& info : menu_items) {
        menu.entries.push_back({
            .id = static_cast<int>(info.item),
            .caption = std::u16string(info.caption),
            .separator = info.caption == u"-",
            .checkable = info.item == MenuItem::IDM_top_on_set,
            .checked = info.item == MenuItem::IDM_top_on_set && top_on_checked_,
        });
    }
    return menu;
}

std::optional<MenuItem> CommandMenu::item_from_id(int id) {
    for (const MenuItemInfo& info : menu_items) {
        if (static_cast<int>(info.item) == id && info.caption != u"-")
            return info.item;
    }
    return std::nullopt;
}

}  // namespace window
