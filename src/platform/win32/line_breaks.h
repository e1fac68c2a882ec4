// Where a row of Text1 may break, from the system's own line breaking (Uniscribe's ScriptBreak,
// which Wine has as well): the break opportunities the box's row styling asks for
// (scintilla/row_styler.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::win32 {

// One flag per UTF-16 unit of `text`: whether a row may break before it (never before the
// first). Itemizing failing, none: Scintilla's own breaks at spaces and the edge remain.
std::vector<std::uint8_t> break_opportunities(std::u16string_view text);

}  // namespace platform::win32
