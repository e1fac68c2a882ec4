// The always-on-top toggle.
#include "core/topmost/toggle_topmost.h"

#include "core/topmost/topmost.h"

namespace topmost {

bool toggle_topmost(const host::Host& host, bool checked) {
    if (!checked) {
        apply_topmost(host);
        return host.placement.can_stay_on_top();
    }
    release_topmost(host);
    return false;
}

}  // namespace topmost
