// Pastes into Text1, weighed before the text box takes them.
#include "host/qt/text1_widget.h"

#include <QMimeData>
#include <QTextCursor>

#include "host/qt/qt_dialogs.h"
#include "host/qt/qt_paste_bound.h"
#include "host/shared/paste_limit.h"

namespace qt_host {

Text1Widget::Text1Widget(QWidget& parent, host::FailureReporter& failures)
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
            QtDialogs(*window()).show_error(host::paste_too_large_message());
    });
    return fits;
}

}  // namespace qt_host
