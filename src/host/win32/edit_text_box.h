// Text1 on Win32: a multi-line EDIT control, one font for all its text, sizes in twips; texts
// whose layout would outgrow its budget of time and memory are refused before it sees them.
#pragma once

#include <windows.h>

#include "host/dialogs.h"
#include "host/text_box.h"
#include "host/win32/layout_budget.h"
#include "host/win32/unique_handle.h"

namespace win32_host {

class EditTextBox final : public host::TextBox {
  public:
    EditTextBox() = default;
    ~EditTextBox() override;
    EditTextBox(const EditTextBox&) = delete;
    EditTextBox& operator=(const EditTextBox&) = delete;

    // Creates the control at the client origin of `parent`, empty, in the system's message
    // font. The control lives as long as its parent window; this object must outlive both.
    void create(HWND parent, HINSTANCE instance);
    HWND hwnd() const noexcept { return hwnd_; }

    // The font is sized for the window's DPI: made again when the window changes monitors.
    void dpi_changed();
    HFONT font_handle() const noexcept { return font_handle_.get(); }

    // Throws HostError, the box unchanged, for a text beyond the budget.
    void set_text(std::u16string text) override;
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
    float twips_per_pixel_x() const;
    float twips_per_pixel_y() const;
    SIZE size() const;
    void resize(SIZE pixels);
    void apply_font(const host::FontChoice& font);

    HWND hwnd_ = nullptr;
    host::FontChoice font_;
    UniqueFont font_handle_;
};

// The rows of an EDIT control as they are now: its text width and its font's narrow width.
RowGeometry row_geometry(HWND edit);

}  // namespace win32_host
