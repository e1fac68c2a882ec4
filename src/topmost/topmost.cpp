// apply_topmost and release_topmost: SetWindowPos with the window's own rectangle in pixels.
#include "topmost/topmost.h"

#include <cmath>
#include <limits>

namespace topmost {
namespace {

void place(const host::Host& host, host::NativeWindow insert_after) {
    const host::Window& form = host.window;
    // The metric is read afresh for each quotient, as the window may change screens.
    const int x = pixels_from_twips(form.left(), host.screen.twips_per_pixel_x());
    const int y = pixels_from_twips(form.top(), host.screen.twips_per_pixel_y());
    const int cx = pixels_from_twips(form.width(), host.screen.twips_per_pixel_x());
    const int cy = pixels_from_twips(form.height(), host.screen.twips_per_pixel_y());
    host.placement.set_window_pos(form.native_handle(), insert_after, x, y, cx, cy,
                                  host::swp_showwindow);
}

}  // namespace

int pixels_from_twips(float twips, float twips_per_pixel) {
    const float quotient = std::floor(twips / twips_per_pixel);
    constexpr float lowest = static_cast<float>(std::numeric_limits<int>::min());
    constexpr float past_highest = -lowest;  // 2^31, exactly representable
    if (std::isnan(quotient))
        return 0;
    if (quotient < lowest)
        return std::numeric_limits<int>::min();
    if (quotient >= past_highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(quotient);
}

void apply_topmost(const host::Host& host) {
    place(host, host::hwnd_topmost);
}

void release_topmost(const host::Host& host) {
    place(host, host::hwnd_notopmost);
}

}  // namespace topmost
