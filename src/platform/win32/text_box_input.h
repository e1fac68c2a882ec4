// Text1's input as a Windows text box's: mouse presses go to the core first; the edit menu comes
// up unless the core's own menu just did; pastes take the clipboard's text only, within the
// paste bound, once a key; control characters are not typed into the text and the wheel does
// not zoom; screen readers get the box's accessible object.
#pragma once

#include <windows.h>

#include "host/shared/context_menu_gate.h"
#include "host/shared/failure_report.h"
#include "host/win32/scintilla_text_box.h"
#include "host/win32/text_box_accessible.h"
#include "host/win32/window_hook.h"
#include "host/window_events.h"

namespace win32_host {

class TextBoxInput {
  public:
    TextBoxInput() = default;
    ~TextBoxInput();
    TextBoxInput(const TextBoxInput&) = delete;
    TextBoxInput& operator=(const TextBoxInput&) = delete;

    // Hooks the control's messages, failures reported through `failures`; undone when the
    // control is destroyed, or this object first.
    void attach(ScintillaTextBox& box, host::FailureReporter& failures);
    // The core handling the presses; null for none.
    void set_events(host::WindowEvents* events) noexcept { events_ = events; }

  private:
    using Hook = WindowHook<HookSlot::text_box_input>;
    static LRESULT procedure(void* self, HWND box, UINT message, WPARAM wparam,
                             LPARAM lparam) noexcept;
    LRESULT handle_message(HWND box, UINT message, WPARAM wparam, LPARAM lparam);
    bool on_button_down(UINT message, WPARAM wparam, LPARAM lparam);
    void on_context_menu(LPARAM lparam);
    bool on_set_cursor(WPARAM wparam, LPARAM lparam);

    ScintillaTextBox* box_ = nullptr;  // none once its window is destroyed
    host::FailureReporter* failures_ = nullptr;
    TextBoxAccessibility accessibility_;
    host::WindowEvents* events_ = nullptr;
    host::ContextMenuGate context_menu_gate_;
    Hook hook_;
};

}  // namespace win32_host
