// Topmost placement: moving the window into or out of the topmost band, keeping its rectangle.
#pragma once

#include "core/host/host.h"

namespace topmost {

// Also shows the window: this is how it first appears at load.
void apply_topmost(const host::Host& host);
void release_topmost(const host::Host& host);

}  // namespace topmost
