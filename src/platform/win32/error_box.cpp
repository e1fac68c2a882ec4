// Error boxes through MessageBoxW.
#include "platform/win32/error_box.h"

#include "platform/common/failure_report.h"

namespace platform::win32 {

void show_error_box(HWND owner, const char16_t* message, UINT icon) noexcept {
    MessageBoxW(owner, reinterpret_cast<const wchar_t*>(message),
                reinterpret_cast<const wchar_t*>(common::error_title), MB_OK | icon);
}

}  // namespace platform::win32
