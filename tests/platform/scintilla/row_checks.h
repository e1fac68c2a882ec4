// The row styling held to the shared table (row_cases.h) on a real Scintilla of either program,
// and across the pieces of a long Japanese line. Each program's tests make the box and route its
// notifications to a RowStyler built on the opportunities the checks are given.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/scintilla/break_opportunities.h"
#include "platform/scintilla/scintilla_call.h"

namespace row_test {

// The platform's opportunities, counting the units they are asked about: what styling reads.
class CountedBreaks {
  public:
    explicit CountedBreaks(platform::scintilla::BreakOpportunities breaks)
        : breaks_(std::move(breaks)) {}
    std::vector<std::uint8_t> operator()(std::u16string_view text) {
        units += text.size();
        return breaks_(text);
    }
    std::size_t units = 0;

  private:
    platform::scintilla::BreakOpportunities breaks_;
};

void expect_break_cases(const platform::scintilla::BreakOpportunities& breaks);

// `call` reaches a box whose row styler asks `breaks`.
void expect_style_cases(const platform::scintilla::ScintillaCall& call);
void expect_long_line_styles(const platform::scintilla::ScintillaCall& call, CountedBreaks& breaks);

// `set_text_width` gives the box's text that many pixels of width and lays its rows out; the
// box's font has Japanese characters of one width.
void expect_row_cases(const platform::scintilla::ScintillaCall& call,
                      const std::function<void(int)>& set_text_width);

}  // namespace row_test
