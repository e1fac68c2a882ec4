// SetWindowPos as the core calls it: the window's place in the z-order, its rectangle in pixels,
// and showing it.
#pragma once

#include "core/host/window.h"

namespace host {

constexpr NativeWindow hwnd_topmost = -1;
constexpr NativeWindow hwnd_notopmost = -2;
constexpr unsigned swp_showwindow = 0x40;

class WindowPlacement {
  public:
    virtual ~WindowPlacement() = default;
    // The result is not reported: callers never use it.
    virtual void set_window_pos(NativeWindow window, NativeWindow insert_after, int x, int y,
                                int cx, int cy, unsigned flags) = 0;
    // False where the window system lets no program keep its window above others (Wayland).
    virtual bool can_stay_on_top() const = 0;
};

}  // namespace host
