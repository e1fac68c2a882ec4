// Messages to a Scintilla window through its direct function: what SendMessage would do, without
// the window manager's round trip for each of the many calls the text box makes, and with
// Scintilla's failures (which it catches inside) thrown again here.
#pragma once

#include <windows.h>

#include <Scintilla.h>

#include <string_view>

namespace platform::win32 {

class ScintillaCall {
  public:
    ScintillaCall() = default;
    // For the Scintilla window `window`, which must belong to this thread.
    explicit ScintillaCall(HWND window);

    HWND window() const noexcept { return window_; }

    // Throws std::bad_alloc when Scintilla ran out of memory, HostError when it failed
    // otherwise; either way its failure status is cleared first.
    sptr_t operator()(unsigned int message, uptr_t wparam = 0, sptr_t lparam = 0) const;

    // A message whose lParam points at data of ours, such as text.
    template <class Pointee>
    sptr_t with_pointer(unsigned int message, uptr_t wparam, Pointee* data) const {
        return (*this)(message, wparam, reinterpret_cast<sptr_t>(data));
    }

    // A message taking a NUL-terminated UTF-8 string.
    sptr_t with_text(unsigned int message, uptr_t wparam, const char* text) const {
        return with_pointer(message, wparam, text);
    }

  private:
    HWND window_ = nullptr;
    SciFnDirectStatus function_ = nullptr;
    sptr_t pointer_ = 0;
};

}  // namespace platform::win32
