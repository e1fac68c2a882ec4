// Cutting decoded text into lines at CR LF, LF or a lone CR, without copying it.
#pragma once

#include <cstddef>
#include <string_view>

namespace text {

// Hands out the lines of a text one at a time as views into it; a final line without a
// terminator counts, and a terminator at the very end does not start another line.
class LineCursor {
  public:
    explicit LineCursor(std::u16string_view text) noexcept : rest_(text) {}

    bool at_end() const noexcept { return rest_.empty(); }
    // What is left to hand out, terminators included.
    std::u16string_view rest() const noexcept { return rest_; }
    // The next line without its terminator. Call only when not at_end().
    std::u16string_view next_line() noexcept;

  private:
    std::u16string_view rest_;
};

struct LineTally {
    std::size_t lines = 0;
    std::size_t units = 0;  // UTF-16 units of all lines, terminators excluded
};

// What a LineCursor would hand out over the same text, counted in one pass.
LineTally tally_lines(std::u16string_view text) noexcept;

}  // namespace text
