// The font command.
#include "core/font/font_command.h"

#include "core/host/host_error.h"

namespace font {

void run_font_command(host::TextBox& text_box, window::CommonDialog& dialog) {
    dialog.font_name = text_box.font_name();
    dialog.font_bold = text_box.font_bold();
    dialog.font_italic = text_box.font_italic();
    dialog.font_size = text_box.font_size();
    dialog.flags = host::cf_screenfonts;
    try {
        dialog.show_font();
    } catch (const host::DialogCancelled&) {
        return;
    }
    text_box.set_font_name(dialog.font_name);
    text_box.set_font_bold(dialog.font_bold);
    text_box.set_font_italic(dialog.font_italic);
    if (dialog.font_size > 0)  // no font has another size (nor NaN); the old one stays
        text_box.set_font_size(dialog.font_size);
}

}  // namespace font
