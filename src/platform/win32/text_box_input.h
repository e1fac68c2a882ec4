// Text1's input as a Windows text box's: mouse presses go to the core first; the edit menu comes
// up unless the core's own menu just did; pastes take the clipboard's text only, once a key;
// control characters are not typed into the text and the wheel does not zoom; screen readers get
// the box's accessible object; a change the box's gate refused is said once the message that
// made it has returned; dropped files go to Form1.
#pragma once

#include <windows.h>

#include "core/host/window_events.h"
#include "platform/common/context_menu_gate.h"
#include "platform/common/failure_report.h"
#include "platform/win32/scintilla_text_box.h"
#include "platform/win32/text_box_accessible.h"
#include "platform/win32/window_hook.h"

namespace platform::win32 {

class TextBoxInput {
  public:
    TextBoxInput() = default;
    ~TextBoxInput();
    TextBoxInput(const TextBoxInput&) = delete;
    TextBoxInput& operator=(const TextBoxInput&) = delete;

    // Hooks the control's messages, failures reported through `failures`; undone when the
    // control is destroyed, or this object first.
    void attach(ScintillaTextBox& box, common::FailureReporter& failures);
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
    void settle_changes();

    ScintillaTextBox* box_ = nullptr;  // none once its window is destroyed
    common::FailureReporter* failures_ = nullptr;
    TextBoxAccessibility accessibility_;
    host::WindowEvents* events_ = nullptr;
    common::ContextMenuGate context_menu_gate_;
    int depth_ = 0;  // messages being handled, one inside another
    Hook hook_;
};

}  // namespace platform::win32
