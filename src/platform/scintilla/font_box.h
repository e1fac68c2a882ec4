// The font half of host::TextBox, alike for both programs' boxes: one font for all the text,
// kept as the core last set it and applied to Scintilla whole when one attribute changes.
#pragma once

#include <string>

#include "core/host/dialogs.h"
#include "core/host/text_box.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::scintilla {

class FontBox : public host::TextBox {
  public:
    std::u16string font_name() const final { return font_.name; }
    bool font_bold() const final { return font_.bold; }
    bool font_italic() const final { return font_.italic; }
    float font_size() const final { return font_.size; }

    void set_font_name(const std::u16string& name) final { set(&host::FontChoice::name, name); }
    void set_font_bold(bool bold) final { set(&host::FontChoice::bold, bold); }
    void set_font_italic(bool italic) final { set(&host::FontChoice::italic, italic); }
    void set_font_size(float points) final { set(&host::FontChoice::size, points); }

  protected:
    // The Scintilla the font goes to.
    virtual const ScintillaCall& font_call() const = 0;
    // Kept only once Scintilla has it.
    void set_font(const host::FontChoice& font);

  private:
    // The font as it is but for one attribute.
    template <class Value>
    void set(Value host::FontChoice::*attribute, const Value& value) {
        host::FontChoice font = font_;
        font.*attribute = value;
        set_font(font);
    }

    host::FontChoice font_;
};

}  // namespace platform::scintilla
