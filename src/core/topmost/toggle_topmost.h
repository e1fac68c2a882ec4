// The always-on-top menu command: placement first, then the check mark that records the state.
#pragma once

#include "core/host/host.h"

namespace topmost {

// Takes the check mark's state and returns its new one: on only where the window now really
// stays above others.
bool toggle_topmost(const host::Host& host, bool checked);

}  // namespace topmost
