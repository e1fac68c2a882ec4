// host::Window, host::ScreenMetrics and host::WindowPlacement over Form1's top-level widget.
#pragma once

#include "platform/common/pixel_window.h"

namespace platform::qt {

class FormWidget;

class QtWindow final : public common::PixelWindow {
  public:
    // `can_stay_on_top`: whether this desktop lets a window stay above others.
    QtWindow(FormWidget& form, bool can_stay_on_top) : PixelWindow(can_stay_on_top), form_(form) {}

    void set_caption(const std::u16string& caption) override;
    host::NativeWindow native_handle() const override;
    void set_busy_cursor(bool busy) override;
    // Hides the window; the main loop goes on until end().
    void unload() override;
    void end() override;

  private:
    // The screen's logical DPI.
    float dots_per_inch_x() const override;
    float dots_per_inch_y() const override;
    // Qt measures a window's frame from its corner; the client area is the widget itself.
    common::PixelRect outer_pixels() const override;
    common::PixelRect client_pixels() const override;
    // A QMenu at the point, run modally.
    std::optional<int> show_popup_menu(const host::PopupMenu& menu,
                                       common::PixelPoint client) override;
    // The stay-on-top hint for the band, the frame moved only when asked to move, and showing.
    void place(host::NativeWindow window, host::NativeWindow insert_after,
               const common::PixelRect& requested, unsigned flags,
               const common::PlacementRequest& request) override;
    void set_stays_on_top(bool on_top);
    void move_frame_to(const common::PixelRect& frame);

    FormWidget& form_;
};

}  // namespace platform::qt
