// Where a row of text may break, as Unicode's line breaking (UAX #14) has it: the one thing each
// platform layer hands the row styling (row_styler.h), from its own line breaking.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace platform::scintilla {

// One flag a UTF-16 unit of `text`: 1 where a row may break before that unit. `text` holds some
// text before and after the stretch the caller reads flags of, for the rules that look either
// way; the flags of units at its very ends are not read.
using BreakOpportunities = std::function<std::vector<std::uint8_t>(std::u16string_view text)>;

}  // namespace platform::scintilla
