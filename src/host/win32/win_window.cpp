// Form1's window services on Win32.
#include "host/win32/win_window.h"

#include "host/twips.h"
#include "host/win32/form_window.h"
#include "host/win32/wide_strings.h"
#include "host/win32/win_popup_menu.h"

namespace win32_host {

void WinWindow::set_caption(const std::u16string& caption) {
    SetWindowTextW(form_.hwnd(), wide_c_str(caption));
}

float WinWindow::left() const {
    return host::twips_from_pixels(window_rect().left, twips_per_pixel_x());
}

float WinWindow::top() const {
    return host::twips_from_pixels(window_rect().top, twips_per_pixel_y());
}

float WinWindow::width() const {
    const RECT rect = window_rect();
    return host::twips_from_pixels(rect.right - rect.left, twips_per_pixel_x());
}

float WinWindow::height() const {
    const RECT rect = window_rect();
    return host::twips_from_pixels(rect.bottom - rect.top, twips_per_pixel_y());
}

float WinWindow::scale_width() const {
    return host::twips_from_pixels(client_rect().right, twips_per_pixel_x());
}

float WinWindow::scale_height() const {
    return host::twips_from_pixels(client_rect().bottom, twips_per_pixel_y());
}

host::NativeWindow WinWindow::native_handle() const {
    return reinterpret_cast<host::NativeWindow>(form_.hwnd());
}

std::optional<int> WinWindow::popup_menu(const host::PopupMenu& menu, float x, float y) {
    POINT at{host::nearest_pixels_from_twips(x, twips_per_pixel_x()),
             host::nearest_pixels_from_twips(y, twips_per_pixel_y())};
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

float WinWindow::twips_per_pixel_x() const {
    return twips_per_pixel(form_.dpi().x);
}

float WinWindow::twips_per_pixel_y() const {
    return twips_per_pixel(form_.dpi().y);
}

void WinWindow::set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x,
                               int y, int cx, int cy, unsigned flags) {
    const HWND target = reinterpret_cast<HWND>(window);
    RECT own{};
    GetWindowRect(target, &own);
    const host::PlacementRequest request =
        host::placement_request(insert_after, {x, y, cx, cy}, flags,
                                {own.left, own.top, own.right - own.left, own.bottom - own.top});
    // SetWindowPos as asked; its own rectangle handed back is kept, not set again.
    const UINT keep = request.move_to ? 0 : SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(target, reinterpret_cast<HWND>(insert_after), x, y, cx, cy, flags | keep);
}

RECT WinWindow::window_rect() const {
    RECT rect{};
    GetWindowRect(form_.hwnd(), &rect);
    return rect;
}

RECT WinWindow::client_rect() const {
    RECT rect{};
    GetClientRect(form_.hwnd(), &rect);
    return rect;
}

}  // namespace win32_host
