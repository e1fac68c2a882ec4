// Messages to a Scintilla instance through its direct function, which Scintilla's Win32 and Qt
// layers both hand out: what sending the message would do, without the window system's round trip
// for each of the many calls the text box makes, and with Scintilla's failures (which it catches
// inside) thrown again here.
#pragma once

#include <Scintilla.h>

namespace platform::scintilla {

class ScintillaCall {
  public:
    ScintillaCall() = default;
    // `function` and `pointer` as SCI_GETDIRECTSTATUSFUNCTION and SCI_GETDIRECTPOINTER give them,
    // for an instance that belongs to this thread; throws HostError when either is missing.
    ScintillaCall(SciFnDirectStatus function, sptr_t pointer);

    // Throws std::bad_alloc when Scintilla ran out of memory in this call, HostError when it
    // failed otherwise; its failure status is cleared before the call and after a failure.
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
    SciFnDirectStatus function_ = nullptr;
    sptr_t pointer_ = 0;
};

}  // namespace platform::scintilla
