// host::TextBox over Text1's Scintilla widget: the whole text in and out through the shared
// platform/scintilla pieces, sizes in twips, one font for all the text.
#pragma once

#include <string>

#include "platform/scintilla/font_box.h"

namespace platform::qt {

class FormWidget;

class QtTextBox final : public scintilla::FontBox {
  public:
    // Gives Text1 the form's font.
    explicit QtTextBox(FormWidget& form);

    // Throws HostError, the box unchanged, for a text with a line beyond the line limit
    // (platform/scintilla/long_lines.h). The new text starts afresh: nothing to undo, the
    // caret and the view at its top.
    void set_text(std::u16string text) override;
    // All of the box's text, CR LF between lines.
    std::u16string text() const;

    void set_width(float twips) override;
    void set_height(float twips) override;

  private:
    const scintilla::ScintillaCall& font_call() const override;

    FormWidget& form_;
};

}  // namespace platform::qt
