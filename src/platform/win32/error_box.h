// The program's error box on Win32, with the one title every error box has.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Modal over `owner` (none for null); `icon` is MB_ICONERROR for a failure nothing else handled,
// MB_ICONWARNING for a refusal the user can act on.
void show_error_box(HWND owner, const char16_t* message, UINT icon) noexcept;

}  // namespace platform::win32
