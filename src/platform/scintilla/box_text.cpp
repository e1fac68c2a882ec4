// Filling the box and reading it back.
#include "platform/scintilla/box_text.h"

#include <string_view>

#include "platform/scintilla/long_lines.h"
#include "text/utf.h"

namespace platform::scintilla {
namespace {

// Undo history off while a whole new text goes in: it would otherwise keep the old text, as
// large as the new one, for nothing, since opening a file empties the history anyway.
class UndoPaused {
  public:
    explicit UndoPaused(const ScintillaCall& call) : call_(call) {
        call_(SCI_SETUNDOCOLLECTION, 0);
    }
    ~UndoPaused() {
        try {
            call_(SCI_EMPTYUNDOBUFFER);
            call_(SCI_SETUNDOCOLLECTION, 1);
        } catch (...) {  // the new text is in; a history that cannot be emptied is harmless
        }
    }
    UndoPaused(const UndoPaused&) = delete;
    UndoPaused& operator=(const UndoPaused&) = delete;

  private:
    const ScintillaCall& call_;
};

}  // namespace

void set_box_text(const ScintillaCall& call, InsertionGate& gate, std::u16string text) {
    std::string bytes = text::utf8_from_utf16(text);
    // Freed before the box makes its copy, to keep the peak lower.
    std::u16string().swap(text);
    // Measured in the bytes, a pass over them costing less than counting UTF-8 in the units.
    if (longest_line_bytes(bytes) > max_line_bytes)
        throw line_too_long_error();
    {
        const InsertionGate::Unchecked measured(gate);
        const UndoPaused paused(call);
        call(SCI_TARGETWHOLEDOCUMENT);
        call.with_pointer(SCI_REPLACETARGET, bytes.size(), bytes.data());
    }
    std::string().swap(bytes);
    call(SCI_SETEMPTYSELECTION, 0);
    call(SCI_SETFIRSTVISIBLELINE, 0);
}

std::u16string box_text(const ScintillaCall& call) {
    const auto length = static_cast<std::size_t>(call(SCI_GETLENGTH));
    const auto* const bytes = reinterpret_cast<const char*>(call(SCI_GETCHARACTERPOINTER));
    return text::utf16_from_utf8(std::string_view(bytes, length));
}

}  // namespace platform::scintilla
