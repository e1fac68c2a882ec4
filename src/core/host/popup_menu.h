// A popup menu as the core hands it to a platform layer for showing: plain data, no behaviour.
#pragma once

#include <string>
#include <vector>

namespace host {

struct PopupMenuEntry {
    int id = 0;  // returned by Window::popup_menu when this entry is chosen
    std::u16string caption;
    bool separator = false;
    // An item with a check state of its own, on or off, which assistive technology reports
    // both ways; `checked` is that state.
    bool checkable = false;
    bool checked = false;
};

struct PopupMenu {
    std::u16string caption;
    std::vector<PopupMenuEntry> entries;
};

}  // namespace host
