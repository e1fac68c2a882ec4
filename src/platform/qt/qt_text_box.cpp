// Text1 on Qt: one plain-text font for the whole box, sizes in twips.
#include "platform/qt/qt_text_box.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "core/geometry/twips.h"
#include "platform/qt/form_widget.h"
#include "platform/qt/qt_strings.h"
#include "platform/qt/qt_wrap_policy.h"

namespace platform::qt {
namespace {

// Raised while the whole text is replaced, and lowered again however that ends: a failed
// replacement must not leave later edits unwatched.
class WholeTextReplaced {
  public:
    explicit WholeTextReplaced(bool& replacing) : replacing_(replacing) { replacing_ = true; }
    ~WholeTextReplaced() { replacing_ = false; }
    WholeTextReplaced(const WholeTextReplaced&) = delete;
    WholeTextReplaced& operator=(const WholeTextReplaced&) = delete;

  private:
    bool& replacing_;
};

}  // namespace

QtTextBox::QtTextBox(FormWidget& form)
    : form_(form),
      edits_(QObject::connect(form_.text1().document(), &QTextDocument::contentsChange,
                              &form_.text1(), [this](int position, int /*removed*/, int added) {
                                  form_.failures().guarded([&] { on_edited(position, added); });
                              })) {}

QtTextBox::~QtTextBox() {
    QObject::disconnect(edits_);
}

void QtTextBox::set_text(std::u16string text) {
    QPlainTextEdit& text1 = form_.text1();
    text1.setWordWrapMode(has_overlong_word(text) ? QTextOption::WrapAnywhere
                                                  : QTextOption::WrapAtWordBoundaryOrAnywhere);
    QString copy = qstring_from_u16(text);
    std::u16string().swap(text);                   // one copy less while the document is built
    const WholeTextReplaced replaced(replacing_);  // just decided for the whole text
    text1.setPlainText(copy);
}

// Typing and pasting: once the text holds a word too long, it wraps anywhere until the next
// whole text replaces it (a later deletion of the word would need a look at all of the text).
void QtTextBox::on_edited(int position, int added) {
    QPlainTextEdit& text1 = form_.text1();
    if (replacing_ || text1.wordWrapMode() == QTextOption::WrapAnywhere)
        return;
    if (edit_made_overlong_word(*text1.document(), position, added))
        text1.setWordWrapMode(QTextOption::WrapAnywhere);
}

void QtTextBox::set_width(float twips) {
    QPlainTextEdit& text1 = form_.text1();
    text1.resize(geometry::nearest_pixels_from_twips(twips, form_.twips_per_pixel_x()),
                 text1.height());
}

void QtTextBox::set_height(float twips) {
    QPlainTextEdit& text1 = form_.text1();
    text1.resize(text1.width(),
                 geometry::nearest_pixels_from_twips(twips, form_.twips_per_pixel_y()));
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
    QFont font = form_.text1().font();
    font.setPointSizeF(points);
    form_.text1().setFont(font);
}

}  // namespace platform::qt
