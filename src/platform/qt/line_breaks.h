// Where a row of the Linux text box may break, from Qt's own line breaking (QTextBoundaryFinder,
// Unicode's UAX #14): the break opportunities the box's row styling asks for
// (scintilla/row_styler.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::qt {

// One flag per UTF-16 unit of `text`: whether a row may break before it (never before the
// first).
std::vector<std::uint8_t> break_opportunities(std::u16string_view text);

}  // namespace platform::qt
