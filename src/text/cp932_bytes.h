// How code page 932 (Shift_JIS) bytes group into characters, shared by both platforms'
// converters and the choice between EUC-JP and code page 932.
#pragma once

#include <cstdint>

namespace text::cp932 {

// A byte that starts a two-byte character.
constexpr bool is_lead_byte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A byte that may follow a lead byte.
constexpr bool is_trail_byte(std::uint8_t b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

}  // namespace text::cp932
