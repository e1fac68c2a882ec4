// The font applied whole, then kept.
#include "platform/scintilla/font_box.h"

#include "platform/scintilla/plain_text_setup.h"

namespace platform::scintilla {

void FontBox::set_font(const host::FontChoice& font) {
    apply_font(font_call(), font);
    font_ = font;
}

}  // namespace platform::scintilla
