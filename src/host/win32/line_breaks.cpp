// Break opportunities from Uniscribe, turned into Scintilla styles.
#include "host/win32/line_breaks.h"

#include <usp10.h>

#include <algorithm>

#include "host/text/utf.h"
#include "host/win32/plain_text_setup.h"

namespace win32_host {
namespace {

// A line is styled in pieces of this many bytes, so that a line of many megabytes needs no
// more than a piece's worth of memory at a time.
constexpr Sci_Position piece_bytes = 64 * 1024;
// What is read before a piece, or an item, for the rules that look back (spaces before a
// closing bracket, say).
constexpr Sci_Position context_bytes = 32;
constexpr int context_units = 8;

// One UTF-8 character: where it starts, how many bytes and UTF-16 units it has.
struct Character {
    std::size_t byte = 0;
    std::size_t bytes = 1;
    std::size_t unit = 0;
};

std::size_t sequence_length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;  // a stray continuation byte
}

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The characters of `bytes` and the UTF-16 text they make; an ill-formed byte makes U+FFFD.
std::vector<Character> decode(std::string_view bytes, std::u16string& text) {
    std::vector<Character> characters;
    characters.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = sequence_length(lead);
        if (at + length > bytes.size() ||
            !std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(at + 1),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + length),
                         [](char b) { return is_continuation(static_cast<unsigned char>(b)); })) {
            length = 1;
        }
        characters.push_back({at, length, text.size()});
        if (length == 1 && lead >= 0x80)
            text.push_back(u'\uFFFD');
        else
            text += host::utf16_from_utf8(bytes.substr(at, length));
        at += length;
    }
    return characters;
}

bool is_break_space(char byte) {
    return byte == ' ' || byte == '\t';
}

// The start of the character at or after `position`, reading back no further than `floor`.
Sci_Position character_start(const char* text, Sci_Position position, Sci_Position floor) {
    while (position > floor && is_continuation(static_cast<unsigned char>(text[position])))
        --position;
    return position;
}

}  // namespace

std::vector<std::uint8_t> break_opportunities(std::u16string_view text) {
    std::vector<std::uint8_t> breaks(text.size(), 0);
    if (text.empty())
        return breaks;
    const auto* const wide = reinterpret_cast<const wchar_t*>(text.data());
    const auto length = static_cast<int>(text.size());
    std::vector<SCRIPT_ITEM> items(text.size() / 8 + 4);
    int count = 0;
    for (;;) {
        const HRESULT result = ScriptItemize(wide, length, static_cast<int>(items.size()) - 1,
                                             nullptr, nullptr, items.data(), &count);
        if (SUCCEEDED(result))
            break;
        if (result != E_OUTOFMEMORY || items.size() > text.size() + 1)
            return breaks;  // no breaks of ours: Scintilla's own at spaces and the edge remain
        items.resize(std::min(items.size() * 2, text.size() + 2));
    }
    std::vector<SCRIPT_LOGATTR> attributes(text.size());
    for (int i = 0; i < count; ++i) {
        const int start = items[i].iCharPos;
        const int end = items[i + 1].iCharPos;
        // An item is broken with the end of the one before it, so that its first character's
        // break sees what precedes it.
        int from = std::max(0, start - context_units);
        if (from > 0 && host::is_low_surrogate(text[static_cast<std::size_t>(from)]))
            --from;
        if (FAILED(ScriptBreak(wide + from, end - from, &items[i].a, attributes.data())))
            continue;
        for (int unit = start; unit < end; ++unit) {
            breaks[static_cast<std::size_t>(unit)] =
                attributes[static_cast<std::size_t>(unit - from)].fSoftBreak ? 1 : 0;
        }
    }
    breaks[0] = 0;
    return breaks;
}

std::string break_styles(std::string_view bytes, std::size_t context, int first_style) {
    std::string styles(bytes.size() - context, static_cast<char>(first_style));
    // Latin text breaks at its spaces, which Scintilla finds itself.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char b) { return static_cast<unsigned char>(b) < 0x80; })) {
        return styles;
    }
    std::u16string text;
    const std::vector<Character> characters = decode(bytes, text);
    const std::vector<std::uint8_t> breaks = break_opportunities(text);
    int style = first_style;
    for (const Character& character : characters) {
        if (character.byte < context)
            continue;
        if (character.byte > 0 && breaks[character.unit] != 0 &&
            !is_break_space(bytes[character.byte - 1])) {
            style = style == text_style ? text_style_after_break : text_style;
        }
        std::fill_n(styles.begin() + static_cast<std::ptrdiff_t>(character.byte - context),
                    character.bytes, static_cast<char>(style));
    }
    return styles;
}

void style_for_breaks(const ScintillaCall& call, Sci_Position end) {
    const Sci_Position length = call(SCI_GETLENGTH);
    end = std::min(end, length);
    Sci_Position line = call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(call(SCI_GETENDSTYLED)));
    Sci_Position line_start = call(SCI_POSITIONFROMLINE, static_cast<uptr_t>(line));
    call(SCI_STARTSTYLING, static_cast<uptr_t>(line_start));
    while (line_start < end || (line_start == end && end == length)) {
        const Sci_Position content_end = call(SCI_GETLINEENDPOSITION, static_cast<uptr_t>(line));
        Sci_Position next_line = call(SCI_POSITIONFROMLINE, static_cast<uptr_t>(line + 1));
        if (next_line < 0)
            next_line = length;
        Sci_Position piece = line_start;
        int style = text_style;
        while (piece < content_end) {
            const Sci_Position from = std::max(line_start, piece - context_bytes);
            const Sci_Position to = std::min(content_end, piece + piece_bytes);
            const auto* const text = reinterpret_cast<const char*>(
                call(SCI_GETRANGEPOINTER, static_cast<uptr_t>(from), to - from));
            // Pieces end at a character's start; the context starts at one.
            Sci_Position piece_end = to;
            if (to < content_end)
                piece_end = from + character_start(text, to - from, piece - from + 1);
            Sci_Position context_start = from;
            while (context_start < piece &&
                   is_continuation(static_cast<unsigned char>(text[context_start - from]))) {
                ++context_start;
            }
            const std::string styles =
                break_styles(std::string_view(text + (context_start - from),
                                              static_cast<std::size_t>(piece_end - context_start)),
                             static_cast<std::size_t>(piece - context_start), style);
            call.with_pointer(SCI_SETSTYLINGEX, styles.size(), styles.data());
            style = styles.back();
            piece = piece_end;
        }
        if (next_line > content_end)
            call(SCI_SETSTYLING, static_cast<uptr_t>(next_line - content_end), text_style);
        if (next_line >= length)
            break;
        line_start = next_line;
        ++line;
    }
}

}  // namespace win32_host
