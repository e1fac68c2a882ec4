// The always-on-top menu command: placement first, then the check mark that records the state.
#pragma once

#include "host/host.h"
#include "window/command_menu.h"

namespace topmost {

void toggle_topmost(const host::Host& host, window::CommandMenu& menu);

}  // namespace topmost
