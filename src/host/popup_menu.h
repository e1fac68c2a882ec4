// A popup menu as the core hands it to a platform layer for showing: plain data, no behaviour.
#pragma once

#include <string>
#include <string_view>
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

// The caption with each '&' doubled: both platforms' menus take a lone '&' for an access key,
// and the program's items have none, so every caption shows exactly as written.
std::u16string caption_as_written(std::u16string_view caption);

}  // namespace host
