// Text1 on Qt: the shared box's text and font, sizes in twips.
#include "platform/qt/qt_text_box.h"

#include <QFontInfo>
#include <utility>

#include "core/geometry/twips.h"
#include "platform/qt/form_widget.h"
#include "platform/qt/qt_strings.h"
#include "platform/scintilla/box_text.h"

namespace platform::qt {
namespace {

// Points, fractions kept; a font sized in pixels is measured at the screen's resolution.
float points_of(const QFont& font, float dots_per_inch) {
    if (font.pointSizeF() > 0)
        return static_cast<float>(font.pointSizeF());
    return static_cast<float>(QFontInfo(font).pixelSize()) * 72.0f / dots_per_inch;
}

}  // namespace

QtTextBox::QtTextBox(FormWidget& form) : form_(form) {
    const QFont font = form_.font();
    set_font({u16_from_qstring(font.family()), font.bold(), font.italic(),
              points_of(font, form_.dots_per_inch_y())});
}

void QtTextBox::set_text(std::u16string text) {
    Text1Box& text1 = form_.text1();
    scintilla::set_box_text(text1.call(), text1.gate(), std::move(text));
}

std::u16string QtTextBox::text() const {
    return scintilla::box_text(form_.text1().call());
}

void QtTextBox::set_width(float twips) {
    Text1Box& text1 = form_.text1();
    text1.resize(geometry::nearest_pixels_from_twips(twips, form_.twips_per_pixel_x()),
                 text1.height());
}

void QtTextBox::set_height(float twips) {
    Text1Box& text1 = form_.text1();
    text1.resize(text1.width(),
                 geometry::nearest_pixels_from_twips(twips, form_.twips_per_pixel_y()));
}

const scintilla::ScintillaCall& QtTextBox::font_call() const {
    return form_.text1().call();
}

}  // namespace platform::qt
