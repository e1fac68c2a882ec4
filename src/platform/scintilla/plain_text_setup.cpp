// Scintilla's settings for Text1.
#include "platform/scintilla/plain_text_setup.h"

#include <cmath>
#include <string>

#include "platform/scintilla/text_box_keys.h"
#include "text/utf.h"

namespace platform::scintilla {
namespace {

// Scintilla's element colours carry an alpha byte above the colour.
constexpr sptr_t opaque = static_cast<sptr_t>(0xFF000000u);

void set_element_colour(const ScintillaCall& call, int element, int colour) {
    call(SCI_SETELEMENTCOLOUR, static_cast<uptr_t>(element), static_cast<sptr_t>(colour) | opaque);
}

// Scintilla's fractional sizes are in hundredths of a point.
constexpr float hundredths = 100;

}  // namespace

void set_up_plain_text_box(const ScintillaCall& call) {
    call(SCI_SETCODEPAGE, SC_CP_UTF8);
    call(SCI_SETEOLMODE, SC_EOL_CRLF);
    call(SCI_SETWRAPMODE, SC_WRAP_WORD);
    call(SCI_SETHSCROLLBAR, 0);
    call(SCI_SETVSCROLLBAR, 0);
    const auto margins = static_cast<uptr_t>(call(SCI_GETMARGINS));
    for (uptr_t margin = 0; margin < margins; ++margin)
        call(SCI_SETMARGINWIDTHN, margin, 0);
    call(SCI_USEPOPUP, SC_POPUP_NEVER);
    call(SCI_SETIMEINTERACTION, SC_IME_INLINE);
    call(SCI_SETZOOM, 0);
    call(SCI_SETMODEVENTMASK, modification_events);
    // Lines on the page keep their layout: a long line on screen is laid out once, not at every
    // paint.
    call(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
    // Japanese rows are measured a character at a time: a cache of a few thousand characters
    // keeps that to one measurement for each.
    call(SCI_SETPOSITIONCACHE, 4096);
    assign_text_box_keys(call);
}

bool ends_text_change(const SCNotification& notification) noexcept {
    const int type = notification.modificationType;
    if (notification.nmhdr.code != SCN_MODIFIED ||
        (type & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) == 0)
        return false;
    return (type & SC_MULTISTEPUNDOREDO) == 0 || (type & SC_LASTSTEPINUNDOREDO) != 0;
}

void apply_colours(const ScintillaCall& call, const BoxColours& colours) {
    call(SCI_STYLESETFORE, STYLE_DEFAULT, colours.text);
    call(SCI_STYLESETBACK, STYLE_DEFAULT, colours.background);
    call(SCI_STYLECLEARALL);
    set_element_colour(call, SC_ELEMENT_SELECTION_TEXT, colours.selected_text);
    set_element_colour(call, SC_ELEMENT_SELECTION_BACK, colours.selected_background);
    set_element_colour(call, SC_ELEMENT_SELECTION_INACTIVE_TEXT, colours.inactive_selected_text);
    set_element_colour(call, SC_ELEMENT_SELECTION_INACTIVE_BACK,
                       colours.inactive_selected_background);
    set_element_colour(call, SC_ELEMENT_CARET, colours.caret);
}

void apply_font(const ScintillaCall& call, const host::FontChoice& font) {
    const std::string face = text::utf8_from_utf16(font.name);
    call.with_text(SCI_STYLESETFONT, STYLE_DEFAULT, face.c_str());
    call(SCI_STYLESETWEIGHT, STYLE_DEFAULT, font.bold ? SC_WEIGHT_BOLD : SC_WEIGHT_NORMAL);
    call(SCI_STYLESETITALIC, STYLE_DEFAULT, font.italic ? 1 : 0);
    call(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT,
         static_cast<sptr_t>(std::lround(font.size * hundredths)));
    // Every style takes the default's font and colours; the text is laid out again once, when
    // it is next drawn.
    call(SCI_STYLECLEARALL);
}

}  // namespace platform::scintilla
