// host::Window, host::ScreenMetrics and host::WindowPlacement over Form1's window.
#pragma once

#include <windows.h>

#include "platform/common/pixel_window.h"

namespace platform::win32 {

class FormWindow;

class WinWindow final : public common::PixelWindow {
  public:
    explicit WinWindow(FormWindow& form) : PixelWindow(true), form_(form) {}

    // The HWND, for SetWindowPos.
    host::NativeWindow native_handle() const override;
    void set_caption(const std::u16string& caption) override;
    // IDC_WAIT over the window and its text box.
    void set_busy_cursor(bool busy) override;
    // Destroys the window; the message loop ends at end().
    void unload() override;
    void end() override;

  private:
    // SetWindowPos as asked; its own rectangle handed back is kept, not set again.
    void place(host::NativeWindow window, host::NativeWindow insert_after,
               const common::PixelRect& requested, unsigned flags,
               const common::PlacementRequest& request) override;
    // GetWindowRect and GetClientRect.
    common::PixelRect outer_pixels() const override;
    common::PixelRect client_pixels() const override;
    // The window's own DPI, which follows it from monitor to monitor.
    float dots_per_inch_x() const override;
    float dots_per_inch_y() const override;
    // TrackPopupMenu with TPM_LEFTALIGN | TPM_LEFTBUTTON.
    std::optional<int> show_popup_menu(const host::PopupMenu& menu,
                                       common::PixelPoint client) override;

    FormWindow& form_;
};

}  // namespace platform::win32
