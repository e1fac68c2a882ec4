// Scintilla's window class, registered for the process while an object of this class lives:
// made once, by the entry point, before any text box is created.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The class Text1's window is made of; screen readers know Scintilla by it.
inline constexpr wchar_t scintilla_class_name[] = L"Scintilla";

class ScintillaClasses {
  public:
    explicit ScintillaClasses(HINSTANCE instance);
    ~ScintillaClasses();
    ScintillaClasses(const ScintillaClasses&) = delete;
    ScintillaClasses& operator=(const ScintillaClasses&) = delete;
};

}  // namespace platform::win32
