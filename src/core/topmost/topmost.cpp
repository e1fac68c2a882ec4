// apply_topmost and release_topmost: SetWindowPos with the window's own rectangle in pixels.
#include "core/topmost/topmost.h"

#include "core/geometry/twips.h"

namespace topmost {
namespace {

void place(const host::Host& host, host::NativeWindow insert_after) {
    const host::Window& form = host.window;
    // The metric is read afresh for each quotient, as the window may change screens.
    using geometry::pixels_from_twips;
    const int x = pixels_from_twips(form.left(), host.screen.twips_per_pixel_x());
    const int y = pixels_from_twips(form.top(), host.screen.twips_per_pixel_y());
    const int cx = pixels_from_twips(form.width(), host.screen.twips_per_pixel_x());
    const int cy = pixels_from_twips(form.height(), host.screen.twips_per_pixel_y());
    host.placement.set_window_pos(form.native_handle(), insert_after, x, y, cx, cy,
                                  host::swp_showwindow);
}

}  // namespace

void apply_topmost(const host::Host& host) {
    place(host, host::hwnd_topmost);
}

void release_topmost(const host::Host& host) {
    place(host, host::hwnd_notopmost);
}

}  // namespace topmost
