// The command menu `hoppu` as data: names, captions, separators and the one check mark.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/host/popup_menu.h"

namespace window {

// Top to bottom, as the popup shows them.
enum class MenuItem {
    IDM_open,
    IDM_save,
    IDM_overwrite,
    senn,
    IDM_font_set,
    IDM_top_on_set,
    sen,
    IDM_end_set,
};

struct MenuItemInfo {
    MenuItem item;
    std::u16string_view caption;  // "-" marks a separator
};

inline constexpr std::array<MenuItemInfo, 8> menu_items{{
    {MenuItem::IDM_open, u"開く"},
    {MenuItem::IDM_save, u"保存"},
    {MenuItem::IDM_overwrite, u"上書き保存"},
    {MenuItem::senn, u"-"},
    {MenuItem::IDM_font_set, u"フォント"},
    {MenuItem::IDM_top_on_set, u"常にケロミナする"},
    {MenuItem::sen, u"-"},
    {MenuItem::IDM_end_set, u"終わる"},
}};

class CommandMenu {
  public:
    // The always-on-top state: its check mark is the only record, and it starts on.
    bool top_on_checked() const { return top_on_checked_; }
    void set_top_on_checked(bool checked) { top_on_checked_ = checked; }

    // The menu as a platform shows it; entry ids map back through item_from_id.
    host::PopupMenu popup() const;
    static std::optional<MenuItem> item_from_id(int id);

  private:
    bool top_on_checked_ = true;
};

}  // namespace window
