// Marks from the bytes' line ends, their characters and the platform's break opportunities.
#include "platform/scintilla/row_marks.h"

#include <algorithm>
#include <string>

#include "text/utf8_decoder.h"

namespace platform::scintilla {
namespace {

bool is_continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool is_ascii(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

bool is_space_or_tab(char byte) {
    return byte == ' ' || byte == '\t';
}

bool starts_line(std::string_view bytes, std::size_t at) {
    if (at == 0)
        return true;
    const char before = bytes[at - 1];
    return before == '\n' || (before == '\r' && bytes[at] != '\n');
}

// Where decoding may start and find the same characters as decoding the whole text would: the
// text's first byte, a byte that is no continuation byte, or one after three continuation bytes
// (a character has at most three, so it is a stray byte), whichever comes first.
std::size_t decoding_start(const RowText& text) {
    if (text.starts_text)
        return 0;
    std::size_t continuations = 0;
    for (std::size_t at = 0; at < text.from; ++at) {
        if (!is_continuation(text.bytes[at]) || continuations >= 3)
            return at;
        ++continuations;
    }
    return text.from;
}

// The UTF-16 text of `bytes` from `start`, and the unit each character starting at or after
// `from` begins at, by byte; a maximal ill-formed subpart is one U+FFFD, as Scintilla shows it.
struct Decoded {
    std::u16string units;
    std::vector<std::pair<std::size_t, std::size_t>> starts;  // byte, unit
};

Decoded decode(std::string_view bytes, std::size_t start, std::size_t from, std::size_t to) {
    Decoded decoded;
    decoded.units.reserve(bytes.size() - start);
    decoded.starts.reserve(to - from);
    const auto* const p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = start; at < bytes.size();) {
        char32_t code = 0;
        std::size_t subpart = 1;
        std::size_t length = text::utf8::sequence(p + at, bytes.size() - at, code, subpart);
        if (length == 0) {
            length = subpart;
            code = text::utf8::replacement;
        }
        if (at >= from && at < to)
            decoded.starts.emplace_back(at, decoded.units.size());
        if (code < 0x10000) {
            decoded.units.push_back(static_cast<char16_t>(code));
        } else {
            decoded.units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            decoded.units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
        at += length;
    }
    return decoded;
}

}  // namespace

void mark_rows(const RowText& text, const BreakOpportunities& breaks, std::vector<RowMark>& marks) {
    if (text.from >= text.to)
        return;
    const std::string_view bytes = text.bytes;
    const std::size_t first = marks.size();
    marks.resize(first + (text.to - text.from), RowMark::same);
    const auto mark = [&](std::size_t at) -> RowMark& { return marks[first + at - text.from]; };
    for (std::size_t at = text.from; at < text.to; ++at) {
        if ((at > 0 || text.starts_text) && starts_line(bytes, at))
            mark(at) = RowMark::line_start;
    }
    // Between ASCII characters the style never changes: Latin text needs no breaks of ours.
    const std::size_t first_pair = text.from == 0 ? 0 : text.from - 1;
    if (std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(first_pair),
                    bytes.begin() + static_cast<std::ptrdiff_t>(text.to), is_ascii))
        return;
    const Decoded decoded = decode(bytes, decoding_start(text), text.from, text.to);
    std::vector<std::uint8_t> flags = breaks(decoded.units);
    flags.resize(decoded.units.size(), 0);
    for (const auto& [at, unit] : decoded.starts) {
        if (at == 0 || mark(at) == RowMark::line_start || flags[unit] == 0)
            continue;
        const char before = bytes[at - 1];
        if (!is_space_or_tab(before) && !(is_ascii(before) && is_ascii(bytes[at])))
            mark(at) = RowMark::change;
    }
}

}  // namespace platform::scintilla
