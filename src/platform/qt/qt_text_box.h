// host::TextBox over Text1's Scintilla widget: the whole text in and out through the shared
// platform/scintilla pieces, sizes in twips, one font for all the text.
#pragma once

#include <string>

#include "core/host/dialogs.h"
#include "core/host/text_box.h"

namespace platform::qt {

class FormWidget;

class QtTextBox final : public host::TextBox {
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

    std::u16string font_name() const override { return font_.name; }
    bool font_bold() const override { return font_.bold; }
    bool font_italic() const override { return font_.italic; }
    float font_size() const override { return font_.size; }

    void set_font_name(const std::u16string& name) override;
    void set_font_bold(bool bold) override;
    void set_font_italic(bool italic) override;
    void set_font_size(float points) override;

  private:
    void set_font(const host::FontChoice& font);
    // The font as it is but for one attribute.
    template <class Value>
    void set_font_attribute(Value host::FontChoice::*attribute, const Value& value) {
        host::FontChoice font = font_;
        font.*attribute = value;
        set_font(font);
    }

    FormWidget& form_;
    host::FontChoice font_;
};

}  // namespace platform::qt
