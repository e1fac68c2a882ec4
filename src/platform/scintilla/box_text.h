// The box's whole text in and out: a new text (an opened file) in place of all the old, and all
// of it read back.
#pragma once

#include <string>

#include "platform/scintilla/insertion_gate.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

// Throws HostError, the box unchanged, for a text with a line beyond max_line_bytes; nothing
// else of it is checked, as the reader bounds a file. The new text starts afresh: nothing to
// undo, the caret and the view at its top.
void set_box_text(const ScintillaCall& call, InsertionGate& gate, std::u16string text);

// All of the box's text, CR LF between lines.
std::u16string box_text(const ScintillaCall& call);

}  // namespace platform::scintilla
