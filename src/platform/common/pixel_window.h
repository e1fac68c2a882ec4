// The window services each platform gives from its own pixels: the twips the core sees and the
// reading of its placement calls are done here, once, and a layer only reports and applies
// pixels.
#pragma once

#include <optional>

#include "core/host/screen_metrics.h"
#include "core/host/window.h"
#include "platform/common/placement_request.h"

namespace platform::common {

struct PixelPoint {
    int x = 0, y = 0;
};

class PixelWindow : public host::Window, public host::ScreenMetrics, public host::WindowPlacement {
  public:
    explicit PixelWindow(bool can_stay_on_top) : can_stay_on_top_(can_stay_on_top) {}

    float twips_per_pixel_x() const final;
    float twips_per_pixel_y() const final;
    bool can_stay_on_top() const final { return can_stay_on_top_; }
    float left() const final;
    float top() const final;
    float width() const final;
    float height() const final;
    float scale_width() const final;
    float scale_height() const final;
    std::optional<int> popup_menu(const host::PopupMenu& menu, float x, float y) final;
    void set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x, int y,
                        int cx, int cy, unsigned flags) final;

  protected:
    // The logical DPI the window is shown at, which may change as it moves between screens.
    virtual float dots_per_inch_x() const = 0;
    virtual float dots_per_inch_y() const = 0;
    // The outer rectangle in screen pixels, frame included.
    virtual PixelRect outer_pixels() const = 0;
    // The client area's size in pixels, in cx and cy.
    virtual PixelRect client_pixels() const = 0;
    // Modal, its left edge at `client` and its items chosen with the left button.
    virtual std::optional<int> show_popup_menu(const host::PopupMenu& menu, PixelPoint client) = 0;
    // Carries out a set_window_pos call, as read against the window's own rectangle.
    virtual void place(host::NativeWindow window, host::NativeWindow insert_after,
                       const PixelRect& requested, unsigned flags,
                       const PlacementRequest& request) = 0;

  private:
    bool can_stay_on_top_;
};

}  // namespace platform::common
