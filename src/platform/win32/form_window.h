// Form1 on Win32: a sizable top-level window whose only child is the text box Text1, raising
// the core's Resize and handing it Text1's presses and the files dropped on either window.
#pragma once

#include <windows.h>
// After windows.h, which it needs; left out of it by WIN32_LEAN_AND_MEAN.
#include <shellapi.h>

#include "core/host/window_events.h"
#include "platform/win32/dpi.h"
#include "platform/win32/scintilla_text_box.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text_box_input.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

inline constexpr wchar_t form1_class_name[] = L"Form1";

class FormWindow final : public WindowBase {
  public:
    // Created hidden, with its client area 5910 x 4305 twips at its own DPI.
    explicit FormWindow(HINSTANCE instance);
    ~FormWindow() override;

    // The core handling this window's events; set before Load, null for none.
    void set_events(host::WindowEvents* events) noexcept;

    ScintillaTextBox& text1() noexcept { return text1_; }
    const ScintillaTextBox& text1() const noexcept { return text1_; }

    Dpi dpi() const { return window_dpi(hwnd()); }

    // Gives the window the program's icons. Called once it is shown and drawn: making them for
    // the window system is a tenth of the start-up under Wine.
    void show_icons();

    // Shows the wait cursor over the window until called with false.
    void set_busy(bool busy);

  private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void size_client_area();
    void on_size();
    void on_notify(const NMHDR& header);
    bool on_set_cursor(WPARAM wparam, LPARAM lparam);
    void on_dpi_changed(const RECT& suggested);
    void on_drop_files(HDROP drop);
    void on_destroy();

    ScintillaTextBox text1_;
    TextBoxInput text1_input_;
    host::WindowEvents* events_ = nullptr;
    // Loaded by the first drop: start-up has no need of it.
    SystemLibrary shell32_{L"shell32.dll"};
    bool busy_ = false;
    // Destroying the window ends the program, unless this object is going away by itself.
    bool ends_program_ = true;
};

}  // namespace platform::win32
