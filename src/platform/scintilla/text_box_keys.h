// The keys Text1 answers to: a platform text box's, and none of Scintilla's own (duplicate a line,
// cut a line, swap lines, change case, zoom, rectangular selection).
#pragma once

#include <span>

#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

struct KeyBinding {
    int key;        // a Scintilla key code (SCK_*) or an upper-case letter
    int modifiers;  // SCMOD_* flags
    unsigned int command;
};

// Ctrl+V and Shift+Insert are not among them: each layer pastes those itself, the clipboard's
// text and nothing else.
std::span<const KeyBinding> text_box_keys();

// Replaces Scintilla's key map with text_box_keys().
void assign_text_box_keys(const ScintillaCall& call);

}  // namespace platform::scintilla
