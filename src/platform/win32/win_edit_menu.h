// The text box's edit menu on Win32: the shared model (platform/scintilla/edit_menu.h) shown as
// a popup menu, and its paste, which is the program's.
#pragma once

#include <windows.h>

#include "platform/scintilla/edit_menu.h"
#include "platform/win32/scintilla_text_box.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {

scintilla::EditMenuState edit_menu_state(const ScintillaTextBox& box);
UniqueMenu build_edit_menu(const scintilla::EditMenuState& state);
void run_edit_command(ScintillaTextBox& box, scintilla::EditCommand command);

// Pastes the clipboard's text, and nothing but text, in place of the selection; undoable. A
// paste the box's gate refuses (scintilla/insertion_gate.h) changes nothing; why is said once
// the command has returned.
void paste_plain_text(ScintillaTextBox& box);

// Modal at `screen_point`, or below the caret when the menu key asked for it (-1, -1).
void show_edit_menu(ScintillaTextBox& box, POINT screen_point);

}  // namespace platform::win32
