// The text box filling the window: its text, size in twips and font.
#pragma once

#include <string>

namespace host {

class TextBox {
  public:
    virtual ~TextBox() = default;

    // Replaces all contents; lines are separated by CR LF.
    virtual void set_text(std::u16string text) = 0;

    virtual void set_width(float twips) = 0;
    virtual void set_height(float twips) = 0;

    virtual std::u16string font_name() const = 0;
    virtual bool font_bold() const = 0;
    virtual bool font_italic() const = 0;
    virtual float font_size() const = 0;  // points

    virtual void set_font_name(const std::u16string& name) = 0;
    virtual void set_font_bold(bool bold) = 0;
    virtual void set_font_italic(bool italic) = 0;
    virtual void set_font_size(float points) = 0;
};

}  // namespace host
