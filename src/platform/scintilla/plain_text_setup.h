// Scintilla set up as a plain Windows text box: UTF-8 inside, CR LF line ends, rows wrapped at
// the right edge, no scroll bars, margins, zoom or menu of its own, the system's colours, one
// font for all text, and Japanese composed inline.
#pragma once

#include "core/host/dialogs.h"
#include "platform/win32/scintilla_call.h"

namespace platform::win32 {

// The two styles text alternates between at the places a row may break (line_breaks.h). They
// look the same: every style has the one font and the system's colours.
inline constexpr int text_style = 0;
inline constexpr int text_style_after_break = 1;

void set_up_plain_text_box(const ScintillaCall& call);

// Text, background, selection and caret in the system's colours, read again after the user
// changes them.
void apply_system_colours(const ScintillaCall& call);

// The font of all text; the size in points, fractions kept.
void apply_font(const ScintillaCall& call, const host::FontChoice& font);

}  // namespace platform::win32
