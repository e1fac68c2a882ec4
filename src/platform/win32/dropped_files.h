// The files of a WM_DROPFILES, read through shell32, which is loaded when the first drop
// arrives rather than at start-up.
#pragma once

#include <windows.h>
// After windows.h, which it needs; left out of it by WIN32_LEAN_AND_MEAN.
#include <shellapi.h>

#include <vector>

#include "core/host/window_events.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

// Every file named in `drop`, in order, as the core takes them; the drop is released even when
// reading it fails. Throws HostError when shell32 cannot be loaded.
std::vector<host::GivenFile> take_dropped_files(SystemLibrary& shell32, HDROP drop);

}  // namespace platform::win32
