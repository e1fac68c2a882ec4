// The text box's context menu: a Windows text box's own items, in Japanese, made here so that
// its paste is the program's.
#pragma once

#include <windows.h>

#include "platform/win32/scintilla_text_box.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {

// Menu command ids, top to bottom.
enum class EditCommand : UINT { undo = 1, cut, copy, paste, clear, select_all };

// What the menu's items may do on the control as it is now.
struct EditMenuState {
    bool can_undo = false;
    bool has_selection = false;
    bool can_paste = false;
    bool all_selected = false;
    bool read_only = false;
};

EditMenuState edit_menu_state(const ScintillaTextBox& box);
// Items the state rules out are greyed, as a Windows text box greys them.
UniqueMenu build_edit_menu(const EditMenuState& state);
void run_edit_command(ScintillaTextBox& box, EditCommand command);

// Pastes the clipboard's text, and nothing but text, in place of the selection; undoable. A
// paste that would take the box past the paste bound (platform/common/paste_limit.h), or make a
// line longer than the box takes (long_lines.h), is refused with a message and nothing changes.
void paste_plain_text(ScintillaTextBox& box);

// Modal at `screen_point`, or below the caret when the menu key asked for it (-1, -1).
void show_edit_menu(ScintillaTextBox& box, POINT screen_point);

}  // namespace platform::win32
