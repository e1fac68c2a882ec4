// Where the style of the box's text must change for Scintilla to break rows where Unicode allows.
// Scintilla breaks a row only after spaces and where the style changes, so every other place a
// row may break gets a change of style; the styles all look the same. Each line starts afresh,
// so a line's marks never depend on the lines before it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/scintilla/break_opportunities.h"

namespace platform::scintilla {

enum class RowMark : std::uint8_t {
    same,        // the style of the byte before
    change,      // a style other than the byte before's: a row may break here
    line_start,  // the first style, whatever came before
};

// Bytes read around the bytes marked, for the rules that look back or ahead: enough for every
// rule but those over runs of spaces (which never change a style) or of regional indicators.
inline constexpr std::size_t row_context_bytes = 32;

// A stretch of the box's UTF-8 text: `bytes[from, to)` is marked; the rest of `bytes` is what
// lies around it, read for context only (up to row_context_bytes either side, all there is at
// the text's ends). `starts_text` when `bytes` starts at the text's first byte.
struct RowText {
    std::string_view bytes;
    std::size_t from = 0;
    std::size_t to = 0;
    bool starts_text = false;
};

// A mark for each byte of `text.bytes[from, to)`, appended to `marks`. A style changes at a
// character's first byte only; never between two ASCII characters (Latin text breaks at its
// spaces, as Scintilla breaks it itself) nor after a space or tab. A line starts after LF, and
// after a CR not followed by LF.
void mark_rows(const RowText& text, const BreakOpportunities& breaks, std::vector<RowMark>& marks);

// The text's styles in the order a line takes them: a line starts with the first, each change
// takes the other of the first two, and the third lets a restyled stretch meet styles kept from
// before (row_styler.h).
inline constexpr int row_style_count = 3;
inline constexpr char first_row_style = 0;

constexpr char next_row_style(char style) {
    return style == 0 ? 1 : 0;
}

// The style after `style` at `mark`.
constexpr char row_style_at(RowMark mark, char style) {
    switch (mark) {
        case RowMark::same:
            return style;
        case RowMark::change:
            return next_row_style(style);
        case RowMark::line_start:
            break;
    }
    return first_row_style;
}

}  // namespace platform::scintilla
