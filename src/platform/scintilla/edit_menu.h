// The text box's edit menu as data: a Windows text box's own items, in Japanese, which of them
// the box as it is allows, and what each does. Each layer only shows it and pastes the
// clipboard's text its own way.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

// Menu command ids, top to bottom.
enum class EditCommand : unsigned int { undo = 1, cut, copy, paste, clear, select_all };

// What the menu's items may do on the box as it is now.
struct EditMenuState {
    bool can_undo = false;
    bool has_selection = false;
    bool can_paste = false;
    bool all_selected = false;
    bool read_only = false;
};

// One item; a separator has no command.
struct EditMenuItem {
    std::optional<EditCommand> command;
    std::u16string_view caption;
    bool enabled = false;
};

// `clipboard_has_text` as the layer's clipboard tells it.
EditMenuState edit_menu_state(const ScintillaCall& call, bool clipboard_has_text);

// Items the state rules out are greyed, as a Windows text box greys them.
std::vector<EditMenuItem> edit_menu_items(const EditMenuState& state);

// Runs `command` on the box; a paste runs `paste`.
void run_edit_command(const ScintillaCall& call, EditCommand command,
                      const std::function<void()>& paste);

}  // namespace platform::scintilla
