// Twips of the window's pixels, and placement calls read against its own rectangle.
#include "platform/common/pixel_window.h"

#include "core/geometry/twips.h"

namespace platform::common {

float PixelWindow::twips_per_pixel_x() const {
    return geometry::twips_per_pixel(dots_per_inch_x());
}

float PixelWindow::twips_per_pixel_y() const {
    return geometry::twips_per_pixel(dots_per_inch_y());
}

float PixelWindow::left() const {
    return geometry::twips_from_pixels(outer_pixels().x, twips_per_pixel_x());
}

float PixelWindow::top() const {
    return geometry::twips_from_pixels(outer_pixels().y, twips_per_pixel_y());
}

float PixelWindow::width() const {
    return geometry::twips_from_pixels(outer_pixels().cx, twips_per_pixel_x());
}

float PixelWindow::height() const {
    return geometry::twips_from_pixels(outer_pixels().cy, twips_per_pixel_y());
}

float PixelWindow::scale_width() const {
    return geometry::twips_from_pixels(client_pixels().cx, twips_per_pixel_x());
}

float PixelWindow::scale_height() const {
    return geometry::twips_from_pixels(client_pixels().cy, twips_per_pixel_y());
}

std::optional<int> PixelWindow::popup_menu(const host::PopupMenu& menu, float x, float y) {
    return show_popup_menu(menu, {geometry::nearest_pixels_from_twips(x, twips_per_pixel_x()),
                                  geometry::nearest_pixels_from_twips(y, twips_per_pixel_y())});
}

void PixelWindow::set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x,
                                 int y, int cx, int cy, unsigned flags) {
    const PixelRect requested{x, y, cx, cy};
    place(window, insert_after, requested, flags,
          placement_request(insert_after, requested, flags, outer_pixels()));
}

}  // namespace platform::common
