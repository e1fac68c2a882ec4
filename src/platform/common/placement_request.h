// What a set_window_pos call asks of a window, read the same way by every platform layer.
#pragma once

#include <optional>

#include "core/host/window_placement.h"

namespace platform::common {

// An outer window rectangle in screen pixels.
struct PixelRect {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool operator==(const PixelRect&) const = default;
};

enum class ZBand { topmost, not_topmost, unchanged };

// What a set_window_pos call asks of a window whose rectangle is now `current`.
struct PlacementRequest {
    ZBand band = ZBand::unchanged;
    // Only when it differs from the window's own: handing a window its own rectangle, as the
    // core does, must never move it, not even by a pixel of a toolkit's rounding.
    std::optional<PixelRect> move_to;
    bool show = false;
};

PlacementRequest placement_request(host::NativeWindow insert_after, PixelRect requested,
                                   unsigned flags, PixelRect current);

}  // namespace platform::common
