// Decoding Japanese Shift_JIS text as Windows code page 932, through the platform's converter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// A byte that starts a two-byte character in code page 932.
constexpr bool is_cp932_lead_byte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Each byte the converter rejects becomes U+FFFD and decoding resumes at the next byte.
std::u16string decode_cp932(std::string_view bytes);

}  // namespace host
