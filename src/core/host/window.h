// The main window as the core sees it: caption, geometry in twips, popup menu, unload and end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/host/popup_menu.h"

namespace host {

// The native window handle, an integer as SetWindowPos takes it.
using NativeWindow = std::intptr_t;

class Window {
  public:
    virtual ~Window() = default;

    virtual void set_caption(const std::u16string& caption) = 0;

    // Outer rectangle in screen twips.
    virtual float left() const = 0;
    virtual float top() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;

    // Client area in twips.
    virtual float scale_width() const = 0;
    virtual float scale_height() const = 0;

    virtual NativeWindow native_handle() const = 0;

    // Modal, its left edge at the point and its items chosen with the left button (the popup
    // flags 0, the only ones the program uses); x and y are client twips. Returns the chosen
    // entry's id, nothing when dismissed.
    virtual std::optional<int> popup_menu(const PopupMenu& menu, float x, float y) = 0;

    // A wait cursor over the window while the program is busy.
    virtual void set_busy_cursor(bool busy) = 0;

    // Hides and releases the window.
    virtual void unload() = 0;

    // Stops the program at once with a successful exit status.
    virtual void end() = 0;
};

}  // namespace host
