// Scintilla's window class, registered for the process while an object of this class lives:
// made once, by the entry point, before any text box is created; and direct calls to a window of
// it.
#pragma once

#include <windows.h>

#include "platform/scintilla/scintilla_call.h"

namespace platform::win32 {

// The class Text1's window is made of; screen readers know Scintilla by it.
inline constexpr wchar_t scintilla_class_name[] = L"Scintilla";

// Direct calls to the Scintilla window `window`, which must belong to this thread.
scintilla::ScintillaCall window_call(HWND window);

class ScintillaClasses {
  public:
    explicit ScintillaClasses(HINSTANCE instance);
    ~ScintillaClasses();
    ScintillaClasses(const ScintillaClasses&) = delete;
    ScintillaClasses& operator=(const ScintillaClasses&) = delete;
};

}  // namespace platform::win32
