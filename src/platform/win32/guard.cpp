// Unexpected failures in a Win32 message box.
#include "platform/win32/guard.h"

#include "platform/win32/error_box.h"

namespace platform::win32 {

common::FailureReporter::ShowBox failure_box(const HWND& owner) {
    // The owner is read when the box is shown: a window's handle exists only once created.
    return [&owner](const char16_t* message) {
        show_error_box(IsWindow(owner) ? owner : nullptr, message, MB_ICONERROR);
    };
}

}  // namespace platform::win32
