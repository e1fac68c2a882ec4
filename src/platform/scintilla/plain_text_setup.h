// Scintilla set up as a plain text box: UTF-8 inside, CR LF line ends, rows wrapped at the right
// edge, no scroll bars, margins, zoom or menu of its own, a platform text box's keys, one font
// for all text, and Japanese composed inline. The colours and the caret's width are the
// system's, which each layer reads.
#pragma once

#include "core/host/dialogs.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

// Colours as Scintilla takes them, 0xBBGGRR.
struct BoxColours {
    int text = 0;
    int background = 0;
    int selected_text = 0;
    int selected_background = 0;
    // The selection while the box does not have the focus.
    int inactive_selected_text = 0;
    int inactive_selected_background = 0;
    int caret = 0;
};

// The modifications the box tells its layer of (SCN_MODIFIED): text inserted and deleted, and
// the checks before each, which the insertion gate answers.
inline constexpr int modification_events =
    SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_INSERTCHECK | SC_MOD_DELETECHECK;

void set_up_plain_text_box(const ScintillaCall& call);

// Whether `notification` ends a change of the text that screen readers are to hear of: each
// insertion and deletion, but an undo or redo of many steps only at its last.
bool ends_text_change(const SCNotification& notification) noexcept;

// Set again whenever the user changes the system's colours.
void apply_colours(const ScintillaCall& call, const BoxColours& colours);

// The font of all text; the size in points, fractions kept.
void apply_font(const ScintillaCall& call, const host::FontChoice& font);

}  // namespace platform::scintilla
