// Line splitting shared by the cursor and the tally so both agree on every terminator.
#include "text/text_lines.h"

namespace text {
namespace {

// Length of the line at the start of text and of its terminator (0, 1 or 2 units).
struct LineExtent {
    std::size_t content = 0;
    std::size_t terminator = 0;
};

LineExtent line_extent(std::u16string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && text[i] != u'\n' && text[i] != u'\r')
        ++i;
    if (i == text.size())
        return {i, 0};
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return {i, 2};
    return {i, 1};
}

}  // namespace

std::u16string_view LineCursor::next_line() noexcept {
    const LineExtent extent = line_extent(rest_);
    const std::u16string_view line = rest_.substr(0, extent.content);
    rest_.remove_prefix(extent.content + extent.terminator);
    return line;
}

LineTally tally_lines(std::u16string_view text) noexcept {
    LineTally tally;
    while (!text.empty()) {
        const LineExtent extent = line_extent(text);
        ++tally.lines;
        tally.units += extent.content;
        text.remove_prefix(extent.content + extent.terminator);
    }
    return tally;
}

}  // namespace text
