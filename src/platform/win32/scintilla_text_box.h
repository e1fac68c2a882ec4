// Text1 on Win32: a Scintilla window set up as a plain text box (scintilla/plain_text_setup.h), one
// font for all its text, sizes in twips. It lays out only what is on screen and wraps the rest in
// idle time, so filling, resizing and changing the font cost alike for a small and a large text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/scintilla/font_box.h"
#include "platform/scintilla/insertion_gate.h"
#include "platform/scintilla/row_styler.h"
#include "platform/scintilla/scintilla_call.h"

namespace platform::win32 {

class ScintillaTextBox final : public scintilla::FontBox {
  public:
    ScintillaTextBox();
    ~ScintillaTextBox() override;
    ScintillaTextBox(const ScintillaTextBox&) = delete;
    ScintillaTextBox& operator=(const ScintillaTextBox&) = delete;

    // Creates the box at the client origin of `parent`, empty, in the system's message font;
    // Scintilla's class must be registered (ScintillaClasses). The window lives as long as its
    // parent; this object must outlive both.
    void create(HWND parent, HINSTANCE instance);
    HWND hwnd() const noexcept { return window_; }
    const scintilla::ScintillaCall& call() const noexcept { return call_; }
    // Every change of the text passes it; its refusals are said once a command has returned.
    scintilla::InsertionGate& gate() noexcept { return gate_; }

    // Throws HostError, the box unchanged, for a text with a line beyond max_line_bytes. The
    // new text starts afresh: nothing to undo, the caret and the view at its top.
    void set_text(std::u16string text) override;
    // All of the box's text, CR LF between lines.
    std::u16string text() const;

    void set_width(float twips) override;
    void set_height(float twips) override;

    // Messages the box sends its parent, which passes them on here.
    void on_notify(const SCNotification& notification);
    void on_system_colours_changed();

    // While one lives, changes of width and height are gathered and made as one move when it
    // ends: the layout sets the height, then the width, and each move lays rows out again.
    class ResizeBatch {
      public:
        explicit ResizeBatch(ScintillaTextBox& box) noexcept;
        ~ResizeBatch();
        ResizeBatch(const ResizeBatch&) = delete;
        ResizeBatch& operator=(const ResizeBatch&) = delete;

      private:
        ScintillaTextBox& box_;
    };

  private:
    float twips_per_pixel_x() const;
    float twips_per_pixel_y() const;
    SIZE size() const;
    void resize(SIZE pixels);
    const scintilla::ScintillaCall& font_call() const override { return call_; }

    HWND window_ = nullptr;
    scintilla::ScintillaCall call_;
    scintilla::InsertionGate gate_{call_};
    // Japanese rows broken where Unicode allows.
    scintilla::RowStyler rows_;
    int batches_ = 0;
    std::optional<SIZE> batched_size_;
};

}  // namespace platform::win32
