// Unexpected failures in a Win32 message box.
#include "host/win32/guard.h"

namespace win32_host {

host::FailureReporter::ShowBox failure_box(const HWND& owner) {
    // The owner is read when the box is shown: a window's handle exists only once created.
    return [&owner](const char16_t* message) {
        MessageBoxW(IsWindow(owner) ? owner : nullptr, reinterpret_cast<const wchar_t*>(message),
                    reinterpret_cast<const wchar_t*>(host::error_title), MB_OK | MB_ICONERROR);
    };
}

}  // namespace win32_host
