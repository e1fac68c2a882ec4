// host::Window, host::ScreenMetrics and host::WindowPlacement over Form1's window.
#pragma once

#include <windows.h>

#include "host/screen_metrics.h"
#include "host/window.h"
#include "host/window_placement.h"

namespace win32_host {

class FormWindow;

class WinWindow final : public host::Window,
                        public host::ScreenMetrics,
                        public host::WindowPlacement {
  public:
    explicit WinWindow(FormWindow& form) : form_(form) {}

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

    // SetWindowPos itself, its arguments as they come.
    void set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x, int y,
                        int cx, int cy, unsigned flags) override;
    bool can_stay_on_top() const override { return true; }

  private:
    RECT window_rect() const;
    RECT client_rect() const;

    FormWindow& form_;
};

}  // namespace win32_host
