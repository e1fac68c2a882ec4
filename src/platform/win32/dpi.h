// Dots per inch of a window and the twips they make, with the per-monitor functions of newer
// Windows used where the system has them.
#pragma once

#include <windows.h>

namespace platform::win32 {

struct Dpi {
    int x = USER_DEFAULT_SCREEN_DPI;
    int y = USER_DEFAULT_SCREEN_DPI;
};

// The window's own DPI (its monitor's, for a per-monitor aware program), else the screen's.
Dpi window_dpi(HWND hwnd);

// The DPI the system's dialogs size fonts with: the screen's logical DPI.
int screen_dpi_y();

// Twips per pixel at `dpi`.
float twips_per_pixel(int dpi);

// The outer size of a window whose client area is `client` pixels, at `dpi`.
SIZE window_size_for_client(SIZE client, DWORD style, DWORD ex_style, int dpi);

// The system's message font, sized for `dpi`.
LOGFONTW message_font(int dpi);

}  // namespace platform::win32
