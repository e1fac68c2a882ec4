// A native window bound to a C++ object: attached at WM_NCCREATE, detached at WM_NCDESTROY,
// with every message handled inside the exception boundary.
#pragma once

#include <windows.h>

#include "platform/common/failure_report.h"

namespace platform::win32 {

class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Null once the window is destroyed.
    HWND hwnd() const noexcept { return hwnd_; }

    // Destroys the window if it still exists.
    void destroy() noexcept;

    // Reports failures over this window; every message it handles goes through it.
    common::FailureReporter& failures() noexcept { return failures_; }

  protected:
    WindowBase();
    // A derived class calls destroy() in its own destructor, while its members still exist.
    virtual ~WindowBase();

    // Registers a class whose procedure dispatches to handle_message; once per process.
    static void register_class(WNDCLASSEXW window_class);

    // Creates the window bound to this object. Throws HostError.
    void create(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption, DWORD style,
                int x, int y, int width, int height, HWND parent, HINSTANCE instance);

    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) = 0;
    LRESULT default_handling(UINT message, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam,
                                      LPARAM lparam) noexcept;

    HWND hwnd_ = nullptr;
    common::FailureReporter failures_;
};

}  // namespace platform::win32
