// The font command: the shared dialog preset to the text box's font, the choice applied to it.
#pragma once

#include "core/host/text_box.h"
#include "core/window/common_dialog.h"

namespace font {

// Cancelling changes nothing, whether the dialog reports it as a failure or not.
void run_font_command(host::TextBox& text_box, window::CommonDialog& dialog);

}  // namespace font
