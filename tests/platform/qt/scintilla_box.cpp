// A bare Scintilla widget set up as a plain UTF-8 text box.
#include "scintilla_box.h"

#include <QApplication>
#include <QByteArray>
#include <QTest>

namespace qt_test {

ScintillaBox::ScintillaBox(int width, int height) {
    send(SCI_SETCODEPAGE, SC_CP_UTF8);
    for (int margin = 0; margin < send(SCI_GETMARGINS); ++margin)
        send(SCI_SETMARGINWIDTHN, static_cast<uptr_t>(margin), 0);
    const QByteArray family = QApplication::font().family().toUtf8();
    widget_.sends(SCI_STYLESETFONT, STYLE_DEFAULT, family.constData());
    send(SCI_STYLESETSIZE, STYLE_DEFAULT, 12);
    send(SCI_STYLECLEARALL);
    widget_.resize(width, height);
    widget_.show();
    (void)QTest::qWaitForWindowExposed(&widget_);
}

platform::scintilla::ScintillaCall ScintillaBox::call() const {
    return {reinterpret_cast<SciFnDirectStatus>(send(SCI_GETDIRECTSTATUSFUNCTION)),
            send(SCI_GETDIRECTPOINTER)};
}

void ScintillaBox::set_text(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    send(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(bytes.constData()));
}

QString ScintillaBox::text() const {
    const auto length = send(SCI_GETLENGTH);
    return QString::fromUtf8(reinterpret_cast<const char*>(send(SCI_GETCHARACTERPOINTER)),
                             static_cast<qsizetype>(length));
}

sptr_t ScintillaBox::position_of(int utf16_offset) const {
    return send(SCI_POSITIONRELATIVECODEUNITS, 0, utf16_offset);
}

}  // namespace qt_test
