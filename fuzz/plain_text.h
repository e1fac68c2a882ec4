// Plain references the fuzz targets hold the reader against: written byte by byte from the
// encodings' tables, with none of the reader's shortcuts, and small helpers on UTF-16 text.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

inline constexpr char16_t replacement = 0xFFFD;
inline constexpr char16_t symbol_for_nul = 0x2400;

bool is_well_formed_utf16(std::u16string_view text);

// Equal texts, compared as memory: char16_t's own comparison goes unit by unit, which the
// sanitizers make the slowest part of a check.
bool same_text(std::u16string_view a, std::u16string_view b);

// UTF-8 one byte at a time straight from the table of well-formed sequences: one U+FFFD per
// maximal ill-formed subpart; `valid` tells whether any was needed.
std::u16string plain_utf8_decode(std::string_view bytes, bool& valid);

// Every NUL shown as U+2400, as the reader shows it.
std::u16string with_nuls_shown(std::u16string text);

// Every terminator (CR LF, LF, lone CR) as CR LF, and one after a last line that lacks it: what
// the open command must build from the lines.
std::u16string crlf_normalised(std::u16string_view text);

// `text` as UTF-16 bytes with a byte-order mark.
std::string utf16_bytes(std::u16string_view text, bool little_endian);

}  // namespace fuzz
