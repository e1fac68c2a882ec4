// Text1 on Qt: one plain-text font for the whole box, sizes in twips.
#include "host/qt/qt_text_box.h"

#include <QPlainTextEdit>

#include "host/qt/form_widget.h"
#include "host/qt/qt_strings.h"

namespace qt_host {
namespace {

// Qt looks for a word boundary before breaking anywhere, which takes time quadratic in the
// length of a word wider than the box: a text with a word this long (a minified file, one huge
// line of letters) would freeze the window, so such text is broken anywhere instead.
constexpr std::size_t longest_word_wrapped_at_boundaries = 10000;

// Characters a line may break after without a space: CJK, kana, Hangul, full-width forms.
bool breaks_without_space(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool has_overlong_word(std::u16string_view text) {
    std::size_t run = 0;
    for (const char16_t c : text) {
        const bool separates = c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x3000 ||
                               breaks_without_space(c);
        run = separates ? 0 : run + 1;
        if (run > longest_word_wrapped_at_boundaries)
            return true;
    }
    return false;
}

}  // namespace

void QtTextBox::set_text(std::u16string text) {
    QPlainTextEdit& text1 = form_.text1();
    text1.setWordWrapMode(has_overlong_word(text) ? QTextOption::WrapAnywhere
                                                  : QTextOption::WrapAtWordBoundaryOrAnywhere);
    QString copy = qstring_from_u16(text);
    std::u16string().swap(text);  // one copy less while the document is built
    text1.setPlainText(copy);
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
