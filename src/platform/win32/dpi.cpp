// DPI queries: Windows 10's per-window functions when present, the screen DC's otherwise.
#include "platform/win32/dpi.h"

#include "core/geometry/twips.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// A user32 function that older systems lack, or null there.
template <class Function>
Function user32_function(const char* name) {
    return exported_function<Function>(GetModuleHandleW(L"user32.dll"), name);
}

GetDpiForWindowFunction get_dpi_for_window() {
    static const auto function = user32_function<GetDpiForWindowFunction>("GetDpiForWindow");
    return function;
}

Dpi screen_dpi() {
    const ScreenDC screen;
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

}  // namespace

Dpi window_dpi(HWND hwnd) {
    if (const auto function = get_dpi_for_window(); function != nullptr && hwnd != nullptr) {
        const int dpi = static_cast<int>(function(hwnd));
        if (dpi > 0)
            return {dpi, dpi};
    }
    return screen_dpi();
}

int screen_dpi_y() {
    return screen_dpi().y;
}

float twips_per_pixel(int dpi) {
    return geometry::twips_per_pixel(static_cast<float>(dpi));
}

SIZE window_size_for_client(SIZE client, DWORD style, DWORD ex_style, int dpi) {
    static const auto adjust =
        user32_function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjust != nullptr) {
        adjust(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW message_font(int dpi) {
    static const auto parameters_for_dpi =
        user32_function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parameters_for_dpi != nullptr && parameters_for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                                            &metrics, 0, static_cast<UINT>(dpi))) {
        return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // Sized for the screen's DPI; scaled to the window's.
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, dpi, screen_dpi_y());
        return font;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace platform::win32
