// What screen readers get of Text1: the accessible object a Windows text box (EDIT) gives them,
// since Scintilla's own window answers no WM_GETOBJECT. Editable text with a name, the box's
// text as its value, its focus, and the description the Linux program gives; the caret they find
// through the system caret Scintilla keeps.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/system_library.h"

namespace platform::win32 {

class TextBoxAccessibility {
  public:
    TextBoxAccessibility() : oleacc_(L"oleacc.dll") {}
    ~TextBoxAccessibility();
    TextBoxAccessibility(const TextBoxAccessibility&) = delete;
    TextBoxAccessibility& operator=(const TextBoxAccessibility&) = delete;

    // The answer to the box's WM_GETOBJECT: the object for the client area, or none for any
    // other object id, which the default handling answers. COM, which hands the object over,
    // is started and oleacc loaded on the first ask: nobody else in the program needs them.
    // oleacc then stays loaded.
    std::optional<LRESULT> object_for(HWND box, WPARAM wparam, LPARAM lparam);

  private:
    SystemLibrary oleacc_;
    bool com_started_ = false;
};

}  // namespace platform::win32
