// Text1 on Qt: one plain-text font for the whole box, sizes in twips.
#include "host/qt/qt_text_box.h"

#include <QPlainTextEdit>

#include "host/qt/form_widget.h"
#include "host/qt/qt_strings.h"

namespace qt_host {

void QtTextBox::set_text(std::u16string text) {
    QString copy = qstring_from_u16(text);
    std::u16string().swap(text);  // one copy less while the document is built
    form_.text1().setPlainText(copy);
}

void QtTextBox::set_width(float twips) {
    QPlainTextEdit& text1 = form_.text1();
    text1.resize(pixels_from_twips(twips, form_.twips_per_pixel_x()), text1.height());
}

void QtTextBox::set_height(float twips) {
    QPlainTextEdit& text1 = form_.text1();
    text1.resize(text1.width(), pixels_from_twips(twips, form_.twips_per_pixel_y()));
}

std::u16string QtTextBox::font_name() const {
    return u16_from_qstring(form_.text1().font().family());
}

bool QtTextBox::font_bold() const {
    return form_.text1().font().bold();
}

bool QtTextBox::font_italic() const {
    return form_.text1().font().italic();
}

float QtTextBox::font_size() const {
    return static_cast<float>(form_.text1().font().pointSizeF());
}

void QtTextBox::set_font_name(const std::u16string& name) {
    QFont font = form_.text1().font();
    font.setFamily(qstring_from_u16(name));
    form_.text1().setFont(font);
}

void QtTextBox::set_font_bold(bool bold) {
    QFont font = form_.text1().font();
    font.setBold(bold);
    form_.text1().setFont(font);
}

void QtTextBox::set_font_italic(bool italic) {
    QFont font = form_.text1().font();
    font.setItalic(italic);
    form_.text1().setFont(font);
}

void QtTextBox::set_font_size(float points) {
    if (!(points > 0))
        return;  // Qt rejects such sizes with a warning and keeps the old one
    QFont font = form_.text1().font();
    font.setPointSizeF(points);
    form_.text1().setFont(font);
}

}  // namespace qt_host
