// Reading a set_window_pos call the same way on every platform.
#include "host/shared/placement_request.h"

namespace host {

PlacementRequest placement_request(NativeWindow insert_after, PixelRect requested, unsigned flags,
                                   PixelRect current) {
    PlacementRequest request;
    if (insert_after == hwnd_topmost)
        request.band = ZBand::topmost;
    else if (insert_after == hwnd_notopmost)
        request.band = ZBand::not_topmost;
    if (requested != current)
        request.move_to = requested;
    request.show = (flags & swp_showwindow) != 0;
    return request;
}

}  // namespace host
