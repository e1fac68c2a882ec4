// The text box's font as the core describes it (face, bold, italic, points) and as GDI makes it.
#pragma once

#include <windows.h>

#include "core/host/dialogs.h"

namespace platform::win32 {

// lfHeight for a size in points: negative, so the size is the characters' own height.
LONG height_from_points(float points, int dpi);
// Points for a lfHeight; a positive (cell) height is taken as the character height.
float points_from_height(LONG height, int dpi);

// Face names longer than LOGFONTW holds are cut to fit.
LOGFONTW logfont_from_choice(const host::FontChoice& choice, int dpi);
host::FontChoice choice_from_logfont(const LOGFONTW& font, int dpi);

// `font` with the face and character set GDI really uses for it: a substitute name such as
// "MS Shell Dlg" becomes the face behind it, DEFAULT_CHARSET the face's own, as the font
// dialog needs them to find the font in its lists.
LOGFONTW realized_font(const LOGFONTW& font);

}  // namespace platform::win32
