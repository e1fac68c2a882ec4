// The Windows program's message loop, run once Form1 has started.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Runs until WM_QUIT; returns its exit code.
int run_message_loop();

}  // namespace platform::win32
