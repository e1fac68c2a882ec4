// A bare Scintilla widget set up as a plain UTF-8 text box on the offscreen platform, for the
// tests of the pieces the Linux text box is built from.
#pragma once

#include <QString>

#include "ScintillaEditBase.h"
#include "platform/scintilla/scintilla_call.h"

namespace qt_test {

class ScintillaBox {
  public:
    // Shown at this size, exposed, with the application's font in every style.
    ScintillaBox(int width, int height);

    ScintillaEditBase& widget() { return widget_; }
    sptr_t send(unsigned int message, uptr_t w = 0, sptr_t l = 0) const {
        return widget_.send(message, w, l);
    }

    // Direct calls, as the program's text box makes them.
    platform::scintilla::ScintillaCall call() const;

    void set_text(const QString& text);
    QString text() const;
    // Scintilla's byte position of a UTF-16 offset into the text.
    sptr_t position_of(int utf16_offset) const;

  private:
    ScintillaEditBase widget_;
};

}  // namespace qt_test
