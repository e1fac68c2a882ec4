// Where a row of Text1 may break, from the system's own line breaking (Uniscribe's ScriptBreak,
// which Wine has as well): between Japanese characters, never before 。、」）ー or small kana,
// never after 「（, after spaces in Latin text.
//
// Scintilla breaks a row only after a space or where the text's style changes. So the text
// alternates between two styles that look the same (scintilla/plain_text_setup.h) at every other
// place a row may break, styled as Scintilla asks for it (SCN_STYLENEEDED): only what it is about
// to lay out, never the whole text at once. A line with no such place still breaks at the edge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/scintilla/scintilla_call.h"

namespace platform::win32 {

// One flag per UTF-16 unit of `text`: whether a row may break before it (never before the
// first).
std::vector<std::uint8_t> break_opportunities(std::u16string_view text);

// Styles for the UTF-8 `bytes` of one or more lines, one a byte, starting with `first_style`:
// the style flips at each place a row may break that is not after a space or tab (Scintilla
// breaks there itself). The first `context_bytes` are text before what is styled, read for its
// breaks only.
std::string break_styles(std::string_view bytes, std::size_t context_bytes, int first_style);

// Answers SCN_STYLENEEDED: styles whole lines, from the one where styling stopped through the
// one holding the character before `end`.
void style_for_breaks(const scintilla::ScintillaCall& call, Sci_Position end);

}  // namespace platform::win32
