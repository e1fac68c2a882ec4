// A mouse button message on the text box as the core's MouseDown arguments.
#pragma once

#include <windows.h>

#include "core/host/window_events.h"

namespace platform::win32 {

// `message` is WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN with its key flags; `at` is the
// point in pixels relative to the text box's window (frame included). Alt is not among the
// flags, so the caller passes whether it is down.
host::MouseDown mouse_down_from_message(UINT message, WPARAM key_flags, POINT at, bool alt_down,
                                        float twips_per_pixel_x, float twips_per_pixel_y);

}  // namespace platform::win32
