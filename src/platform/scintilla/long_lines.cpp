// Measuring lines of UTF-8 text.
#include "platform/scintilla/long_lines.h"

#include <algorithm>

#include "text/file_errors.h"

namespace platform::scintilla {
namespace {

struct LineSizes {
    std::uint64_t first = 0;    // up to the first line end
    std::uint64_t longest = 0;  // of the lines between the first and the last line end
    std::uint64_t last = 0;     // after the last line end
    bool has_break = false;
};

LineSizes line_sizes(std::string_view text) noexcept {
    const auto is_line_end = [](char byte) { return byte == '\r' || byte == '\n'; };
    LineSizes sizes;
    std::size_t lines = 0;
    std::size_t start = 0;
    for (;;) {
        const auto end =
            static_cast<std::size_t>(std::find_if(text.begin() + static_cast<std::ptrdiff_t>(start),
                                                  text.end(), is_line_end) -
                                     text.begin());
        const std::uint64_t bytes = end - start;
        if (lines == 0)
            sizes.first = bytes;
        else if (lines >= 2)
            sizes.longest = std::max(sizes.longest, sizes.last);  // the line before this one
        sizes.last = bytes;
        ++lines;
        if (end == text.size())
            break;
        sizes.has_break = true;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    return sizes;
}

}  // namespace

std::uint64_t longest_line_bytes(std::string_view text) noexcept {
    const LineSizes sizes = line_sizes(text);
    return std::max({sizes.first, sizes.longest, sizes.last});
}

std::uint64_t longest_line_after_insertion(std::uint64_t before_bytes, std::string_view inserted,
                                           std::uint64_t after_bytes) noexcept {
    const LineSizes sizes = line_sizes(inserted);
    if (!sizes.has_break)
        return before_bytes + sizes.first + after_bytes;
    return std::max({before_bytes + sizes.first, sizes.longest, sizes.last + after_bytes});
}

std::u16string line_limit_text() {
    return u"1 行の" + text::limit_text(max_line_bytes);
}

host::HostError line_too_long_error() {
    return host::HostError(std::u16string(line_too_long_text) + u"ため表示できません（" +
                           line_limit_text() + u"）。");
}

}  // namespace platform::scintilla
