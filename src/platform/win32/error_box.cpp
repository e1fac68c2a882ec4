// Error boxes through MessageBoxW.
#include "host/win32/error_box.h"

#include "host/shared/failure_report.h"

namespace win32_host {

void show_error_box(HWND owner, const char16_t* message, UINT icon) noexcept {
    MessageBoxW(owner, reinterpret_cast<const wchar_t*>(message),
                reinterpret_cast<const wchar_t*>(host::error_title), MB_OK | icon);
}

}  // namespace win32_host
