// Reading a set_window_pos call the same way on every platform.
#include "platform/common/placement_request.h"

namespace platform::common {

PlacementRequest placement_request(host::NativeWindow insert_after, PixelRect requested,
                                   unsigned flags, PixelRect current) {
    PlacementRequest request;
    if (insert_after == host::hwnd_topmost)
        request.band = ZBand::topmost;
    else if (insert_after == host::hwnd_notopmost)
        request.band = ZBand::not_topmost;
    if (requested != current)
        request.move_to = requested;
    request.show = (flags & host::swp_showwindow) != 0;
    return request;
}

}  // namespace platform::common
