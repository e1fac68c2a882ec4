// A Scintilla document in miniature for the row styling's fuzz target: text, styles and the end of
// styling, answering the messages the row styling sends through a direct function and sending it
// the notifications Scintilla would. Each range pointer it hands out points at a copy of exactly
// that range, so that AddressSanitizer catches a read past it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/scintilla/row_styler.h"

namespace fuzz {

class FakeScintilla {
  public:
    explicit FakeScintilla(platform::scintilla::RowStyler& styler) : styler_(styler) {}

    platform::scintilla::ScintillaCall call() {
        return {&FakeScintilla::direct, reinterpret_cast<sptr_t>(this)};
    }

    void insert(Sci_Position at, std::string_view bytes);
    void remove(Sci_Position at, Sci_Position length);
    // As Scintilla's Document::EnsureStyledTo: asks for styles up to `end` when short of it.
    void ensure_styled(Sci_Position end);
    // As a far jump styles where it lands: from the start of `from`'s line, then back to where
    // styling had stopped.
    void style_out_of_order(Sci_Position from, Sci_Position end);

    const std::string& text() const { return text_; }
    const std::string& styles() const { return styles_; }

  private:
    static sptr_t direct(sptr_t self, unsigned int message, uptr_t wparam, sptr_t lparam,
                         int* status);
    sptr_t answer(unsigned int message, uptr_t wparam, sptr_t lparam);
    Sci_Position line_start(Sci_Position position) const;
    void notify_modified(int type, Sci_Position at, Sci_Position length);

    platform::scintilla::RowStyler& styler_;
    std::string text_;
    std::string styles_;
    Sci_Position end_styled_ = 0;
    std::unique_ptr<char[]> range_;
};

}  // namespace fuzz
