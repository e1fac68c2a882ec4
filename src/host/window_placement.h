// SetWindowPos: the window's place in the z-order, its rectangle in pixels, and showing it.
#pragma once

#include <optional>

#include "host/window.h"

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

// An outer window rectangle in screen pixels.
struct PixelRect {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool operator==(const PixelRect&) const = default;
};

enum class ZBand { topmost, not_topmost, unchanged };

// What a set_window_pos call asks of a window whose rectangle is now `current`.
struct PlacementRequest {
    ZBand band = ZBand::unchanged;
    // Only when it differs from the window's own: handing a window its own rectangle, as the
    // core does, must never move it, not even by a pixel of a toolkit's rounding.
    std::optional<PixelRect> move_to;
    bool show = false;
};

PlacementRequest placement_request(NativeWindow insert_after, PixelRect requested,
                                   unsigned flags, PixelRect current);

}  // namespace host
