// Unexpected failures in a Win32 message box.
#include "host/win32/guard.h"

#include "host/win32/error_box.h"

namespace win32_host {

host::FailureReporter::ShowBox failure_box(const HWND& owner) {
    // The owner is read when the box is shown: a window's handle exists only once created.
    return [&owner](const char16_t* message) {
        show_error_box(IsWindow(owner) ? owner : nullptr, message, MB_ICONERROR);
    };
}

}  // namespace win32_host
