// The always-on-top toggle.
#include "topmost/toggle_topmost.h"

#include "topmost/topmost.h"

namespace topmost {

void toggle_topmost(const host::Host& host, window::CommandMenu& menu) {
    if (!menu.top_on_checked()) {
        apply_topmost(host);
        menu.set_top_on_checked(true);
    } else {
        release_topmost(host);
        menu.set_top_on_checked(false);
    }
}

}  // namespace topmost
