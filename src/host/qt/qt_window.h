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
    explicit QtWindow(FormWidget& form) : form_(form) {}

    void set_caption(const std::u16string& caption) override;
    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    float scale_width() const override;
    float scale_height() const override;
    host::NativeWindow native_handle() const override;
    std::optional<int> popup_menu(const host::PopupMenu& menu, int flags, float x,
                                  float y) override;
    void set_busy_cursor(bool busy) override;
    void unload() override;
    void end() override;

    float twips_per_pixel_x() const override;
    float twips_per_pixel_y() const override;

    // The rectangle handed over is always the window's own, so it is left as it is: moving to
    // it again could only drift by a rounding pixel. Only the z-order band and showing apply.
    void set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x, int y,
                        int cx, int cy, unsigned flags) override;

  private:
    FormWidget& form_;
};

}  // namespace qt_host
