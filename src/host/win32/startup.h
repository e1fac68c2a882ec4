// What the Windows program sets up before Form1 exists, and the message loop after.
#pragma once

#include <windows.h>

#include "host/win32/unique_handle.h"

namespace win32_host {

// The library of the rich edit control, kept loaded while the handle lives. Throws HostError.
UniqueLibrary load_rich_edit();

// Runs until WM_QUIT; returns its exit code.
int run_message_loop();

}  // namespace win32_host
