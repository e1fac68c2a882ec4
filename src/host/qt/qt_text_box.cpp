// Text1 on Qt: one plain-text font for the whole box, sizes in twips.
#include "host/qt/qt_text_box.h"

#include <QPlainTextEdit>
#include <QTextBoundaryFinder>

#include "host/qt/form_widget.h"
#include "host/qt/qt_strings.h"

namespace qt_host {
namespace {

// Qt wraps at a word boundary before trying anywhere, and does so again for every screen line,
// each time scanning the rest of the word: quadratic in the length of a word that needs many
// lines (100,000 letters take a second, a million a minute, 50 MiB more than a day). Past this
// length the whole text breaks anywhere instead, which for such a word looks the same.
constexpr std::size_t longest_word_wrapped_at_boundaries = 16384;

bool breaks_lines_here(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\u3000';
}

// Whether some stretch of the text has no place to break a line for longer than the limit.
// Spaces, tabs and line ends split the text cheaply; only a longer stretch between them is
// searched with Qt's own line-breaking rules, which allow breaks between Japanese characters.
bool has_overlong_word(std::u16string_view text) {
    std::size_t start = 0;
    for (std::size_t end = 0; end <= text.size(); ++end) {
        if (end < text.size() && !breaks_lines_here(text[end]))
            continue;
        if (end - start > longest_word_wrapped_at_boundaries) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Line,
                                       reinterpret_cast<const QChar*>(text.data() + start),
                                       static_cast<qsizetype>(end - start));
            qsizetype previous = 0;
            for (qsizetype next = finder.toNextBoundary(); next >= 0;
                 next = finder.toNextBoundary()) {
                if (static_cast<std::size_t>(next - previous) > longest_word_wrapped_at_boundaries)
                    return true;
                previous = next;
            }
        }
        start = end + 1;
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
