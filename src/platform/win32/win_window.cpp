// Form1's window services on Win32.
#include "platform/win32/win_window.h"

#include "platform/win32/form_window.h"
#include "platform/win32/win_popup_menu.h"
#include "text/win32/wide_strings.h"

namespace platform::win32 {

void WinWindow::set_caption(const std::u16string& caption) {
    SetWindowTextW(form_.hwnd(), text::wide_c_str(caption));
}

common::PixelRect WinWindow::outer_pixels() const {
    RECT rect{};
    GetWindowRect(form_.hwnd(), &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

common::PixelRect WinWindow::client_pixels() const {
    RECT rect{};
    GetClientRect(form_.hwnd(), &rect);
    return {0, 0, rect.right, rect.bottom};
}

host::NativeWindow WinWindow::native_handle() const {
    return reinterpret_cast<host::NativeWindow>(form_.hwnd());
}

std::optional<int> WinWindow::show_popup_menu(const host::PopupMenu& menu,
                                              common::PixelPoint client) {
    POINT at{client.x, client.y};
    ClientToScreen(form_.hwnd(), &at);
    return track_popup_menu(menu, form_.hwnd(), at);
}

void WinWindow::set_busy_cursor(bool busy) {
    form_.set_busy(busy);
}

void WinWindow::unload() {
    form_.destroy();
}

void WinWindow::end() {
    PostQuitMessage(0);
}

float WinWindow::dots_per_inch_x() const {
    return static_cast<float>(form_.dpi().x);
}

float WinWindow::dots_per_inch_y() const {
    return static_cast<float>(form_.dpi().y);
}

void WinWindow::place(host::NativeWindow window, host::NativeWindow insert_after,
                      const common::PixelRect& requested, unsigned flags,
                      const common::PlacementRequest& request) {
    const UINT keep = request.move_to ? 0 : SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(reinterpret_cast<HWND>(window), reinterpret_cast<HWND>(insert_after), requested.x,
                 requested.y, requested.cx, requested.cy, flags | keep);
}

}  // namespace platform::win32
