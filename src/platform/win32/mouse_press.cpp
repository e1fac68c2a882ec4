// Button and modifier bits as MouseDown numbers them.
#include "platform/win32/mouse_press.h"

#include "core/geometry/twips.h"

namespace platform::win32 {
namespace {

int button_of(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return host::button_left;
        case WM_RBUTTONDOWN:
            return host::button_right;
        case WM_MBUTTONDOWN:
            return host::button_middle;
        default:
            return 0;
    }
}

}  // namespace

host::MouseDown mouse_down_from_message(UINT message, WPARAM key_flags, POINT at, bool alt_down,
                                        float twips_per_pixel_x, float twips_per_pixel_y) {
    int shift = 0;
    if ((key_flags & MK_SHIFT) != 0)
        shift |= host::shift_mask;
    if ((key_flags & MK_CONTROL) != 0)
        shift |= host::ctrl_mask;
    if (alt_down)
        shift |= host::alt_mask;
    return {
        .button = button_of(message),
        .shift = shift,
        .x = geometry::twips_from_pixels(at.x, twips_per_pixel_x),
        .y = geometry::twips_from_pixels(at.y, twips_per_pixel_y),
    };
}

}  // namespace platform::win32
