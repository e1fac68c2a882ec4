// Whether the text box's own context menu may follow a press: the same click that opened the
// program's menu must not bring up the edit menu after it.
#pragma once

namespace platform::common {

class ContextMenuGate {
  public:
    // Every press on the text box, with whether it opened the program's menu.
    void pressed(bool opened_program_menu) noexcept { swallow_next_ = opened_program_menu; }

    // The toolkit asks to show its context menu; true when it may. One asked for from the
    // keyboard is never that click's.
    bool allows_context_menu(bool from_keyboard) noexcept {
        const bool swallow = swallow_next_ && !from_keyboard;
        swallow_next_ = false;
        return !swallow;
    }

  private:
    bool swallow_next_ = false;
};

}  // namespace platform::common
