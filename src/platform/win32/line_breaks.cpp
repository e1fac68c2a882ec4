// Break opportunities from Uniscribe, turned into Scintilla styles.
#include "platform/win32/line_breaks.h"

#include <usp10.h>

#include <algorithm>

#include "platform/scintilla/plain_text_setup.h"
#include "text/utf.h"
#include "text/utf8_decoder.h"

namespace platform::win32 {
namespace {

// Text is styled in pieces of at most this many bytes, each ending at a line's end where one
// is near: Uniscribe is asked once a piece rather than once a line, and a line of many megabytes
// needs no more than a piece's worth of memory at a time.
constexpr Sci_Position piece_bytes = 64 * 1024;
// What is read before a piece, or an item, for the rules that look back (spaces before a
// closing bracket, say).
constexpr Sci_Position context_bytes = 32;
constexpr int context_units = 8;

// One UTF-8 character: where it starts, how many bytes and UTF-16 units it has.
struct Character {
    std::uint32_t byte = 0;
    std::uint32_t bytes = 1;
    std::uint32_t unit = 0;
};

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The characters of `bytes` and the UTF-16 text they make; each maximal ill-formed subpart makes
// one U+FFFD, as everywhere else in the program.
std::vector<Character> decode(std::string_view bytes, std::u16string& text) {
    std::vector<Character> characters;
    characters.reserve(bytes.size());
    text.reserve(bytes.size());
    const auto* const p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t at = 0;
    while (at < bytes.size()) {
        char32_t code = 0;
        std::size_t subpart = 1;
        std::size_t length = text::utf8::sequence(p + at, bytes.size() - at, code, subpart);
        if (length == 0) {
            length = subpart;
            code = text::utf8::replacement;
        }
        characters.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(length),
                              static_cast<std::uint32_t>(text.size())});
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
        at += length;
    }
    return characters;
}

bool is_break_space(char byte) {
    return byte == ' ' || byte == '\t';
}

// The start of the character at or before `position`, reading back no further than `floor`.
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
        if (from > 0 && text::is_low_surrogate(text[static_cast<std::size_t>(from)]))
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
    int style = first_style;
    std::u16string text;
    // Line by line: Latin lines break at their spaces, which Scintilla finds itself, and are
    // not handed to Uniscribe at all.
    for (std::size_t line = 0; line < bytes.size();) {
        const std::size_t line_end = std::min(bytes.find('\n', line), bytes.size() - 1) + 1;
        const std::string_view line_bytes = bytes.substr(line, line_end - line);
        const bool latin = std::all_of(line_bytes.begin(), line_bytes.end(),
                                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
        if (!latin) {
            text.clear();
            const std::vector<Character> characters = decode(line_bytes, text);
            const std::vector<std::uint8_t> breaks = break_opportunities(text);
            for (const Character& character : characters) {
                const std::size_t at = line + character.byte;
                if (at > 0 && breaks[character.unit] != 0 && !is_break_space(bytes[at - 1]))
                    style = style == scintilla::text_style ? scintilla::text_style_after_break
                                                           : scintilla::text_style;
                if (at + character.bytes > context) {
                    const std::size_t from = std::max(at, context);
                    std::fill_n(styles.begin() + static_cast<std::ptrdiff_t>(from - context),
                                at + character.bytes - from, static_cast<char>(style));
                }
            }
        } else if (line_end > context) {
            const std::size_t from = std::max(line, context);
            std::fill_n(styles.begin() + static_cast<std::ptrdiff_t>(from - context),
                        line_end - from, static_cast<char>(style));
        }
        line = line_end;
    }
    return styles;
}

void style_for_breaks(const scintilla::ScintillaCall& call, Sci_Position end) {
    const Sci_Position length = call(SCI_GETLENGTH);
    end = std::min(end, length);
    Sci_Position position =
        call(SCI_POSITIONFROMLINE,
             static_cast<uptr_t>(
                 call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(call(SCI_GETENDSTYLED)))));
    // Whole lines: through the one holding the last character asked for.
    const Sci_Position last_line =
        call(SCI_LINEFROMPOSITION, static_cast<uptr_t>(std::max(position, end - 1)));
    Sci_Position stop = call(SCI_POSITIONFROMLINE, static_cast<uptr_t>(last_line + 1));
    if (stop < 0 || stop > length)
        stop = length;
    call(SCI_STARTSTYLING, static_cast<uptr_t>(position));
    int style = scintilla::text_style;
    while (position < stop) {
        const Sci_Position context_start = std::max<Sci_Position>(0, position - context_bytes);
        const Sci_Position limit = std::min(stop, position + piece_bytes);
        const auto* const text = reinterpret_cast<const char*>(
            call(SCI_GETRANGEPOINTER, static_cast<uptr_t>(context_start), limit - context_start));
        const std::string_view range(text, static_cast<std::size_t>(limit - context_start));
        // A piece ends after the last line end in reach, else (inside a long line) at the start
        // of a character.
        Sci_Position piece_end = limit;
        if (limit < stop) {
            const std::size_t line_end =
                range.find_last_of('\n', static_cast<std::size_t>(limit - context_start - 1));
            if (line_end != std::string_view::npos &&
                context_start + static_cast<Sci_Position>(line_end) >= position) {
                piece_end = context_start + static_cast<Sci_Position>(line_end) + 1;
            } else {
                piece_end = context_start + character_start(text, limit - context_start,
                                                            position - context_start + 1);
            }
        }
        // The context starts at a character too.
        Sci_Position from = context_start;
        while (from < position &&
               is_continuation(static_cast<unsigned char>(text[from - context_start])))
            ++from;
        const std::string styles =
            break_styles(range.substr(static_cast<std::size_t>(from - context_start),
                                      static_cast<std::size_t>(piece_end - from)),
                         static_cast<std::size_t>(position - from), style);
        call.with_pointer(SCI_SETSTYLINGEX, styles.size(), styles.data());
        style = styles.back();
        position = piece_end;
    }
}

}  // namespace platform::win32
