// A popup menu as the core hands it to a platform layer for showing: plain data, no behaviour.
#pragma once

#include <string>
#include <vector>

namespace host {

struct PopupMenuEntry {
    int id = 0;  // returned by Window::popup_menu when this entry is chosen
    std::u16string caption;
    bool separator = false;
    bool checked = false;
    bool enabled = true;
};

struct PopupMenu {
    std::u16string caption;
    std::vector<PopupMenuEntry> entries;
};

// PopupMenu flags: 0 puts the menu's left edge at x and chooses with the left button.
constexpr int popup_menu_left_align = 0;

}  // namespace host
