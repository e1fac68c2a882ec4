// host::Window, host::ScreenMetrics and host::WindowPlacement over Form1's top-level widget.
#pragma once

#include "host/screen_metrics.h"
#include "host/window.h"
#include "host/window_placement.h"

namespace qt_host {

class FormWidget;

class QtWindow final : public host::Window,
                       public host::ScreenMetrics,
                       public host::WindowPlacement {
  public:
    // `can_stay_on_top`: whether this desktop lets a window stay above others.
    QtWindow(FormWidget& form, bool can_stay_on_top)
        : form_(form), can_stay_on_top_(can_stay_on_top) {}

    void set_caption(const std::u16string& caption) override;
    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    float scale_width() const override;
    float scale_height() const override;
    host::NativeWindow native_handle() const override;
    std::optional<int> popup_menu(const host::PopupMenu& menu, float x, float y) override;
    void set_busy_cursor(bool busy) override;
    void unload() override;
    void end() override;

    float twips_per_pixel_x() const override;
    float twips_per_pixel_y() const override;

    // The stay-on-top hint for the band, the frame moved only when the rectangle differs from
    // its own, and showing.
    void set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x, int y,
                        int cx, int cy, unsigned flags) override;
    bool can_stay_on_top() const override { return can_stay_on_top_; }

  private:
    void set_stays_on_top(bool on_top);
    void move_frame_to(const host::PixelRect& frame);

    FormWidget& form_;
    bool can_stay_on_top_;
};

}  // namespace qt_host
