// Conversions between the program's UTF-16 text and UTF-8 (paths, logs, toolkit-free tests).
#pragma once

#include <string>
#include <string_view>

namespace text {

constexpr bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The bytes utf8_from_utf16 makes of `text`, counted without making them.
std::size_t utf8_size(std::u16string_view text) noexcept;

// Lone surrogates become U+FFFD.
std::string utf8_from_utf16(std::u16string_view text);

// Ill-formed sequences become U+FFFD, one per maximal ill-formed subpart.
std::u16string utf16_from_utf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

}  // namespace text
