// Pastes into Text1, weighed before the text box takes them.
#include "platform/qt/text1_widget.h"

#include <QMimeData>
#include <QTextCursor>

#include "platform/common/paste_limit.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_paste_bound.h"

namespace platform::qt {

Text1Widget::Text1Widget(QWidget& parent, common::FailureReporter& failures)
    : QPlainTextEdit(&parent), failures_(failures) {}

void Text1Widget::insertFromMimeData(const QMimeData* source) {
    // Taken once: another program's clipboard hands its text over anew for every request.
    const QString pasted = source->text();
    if (!paste_fits(pasted))
        return;
    QMimeData plain_text;
    plain_text.setText(pasted);
    QPlainTextEdit::insertFromMimeData(&plain_text);
}

bool Text1Widget::paste_fits(const QString& pasted) {
    bool fits = false;  // a paste that could not be weighed is not made
    failures_.guarded([&] {
        const QTextCursor cursor = textCursor();
        fits = paste_fits_document(*document(), cursor.selectionStart(), cursor.selectionEnd(),
                                   pasted);
        if (!fits)
            QtDialogs(*window()).show_error(common::paste_too_large_message());
    });
    return fits;
}

}  // namespace platform::qt
