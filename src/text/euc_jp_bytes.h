// How EUC-JP bytes group into characters, shared by its decoder, both platforms' converters and
// the choice between EUC-JP and code page 932.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace text::euc_jp {

enum class Kind {
    ascii,
    half_width_katakana,  // 0x8E, then 0xA1..0xDF
    jis_x0208,            // two bytes 0xA1..0xFE, the first up to 0xF4 (rows 1..84)
    user_defined,         // two bytes, the first 0xF5..0xFE (rows 85..94): no standard characters
    jis_x0212,            // 0x8F, then two bytes 0xA1..0xFE
    ill_formed,           // one byte that starts no character
};

struct Character {
    Kind kind;
    std::size_t length;
};

constexpr bool is_high(std::uint8_t b) {
    return b >= 0xA1 && b <= 0xFE;
}

// The character at `at`, which must be inside `bytes`.
constexpr Character character_at(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(at);
    const std::size_t left = bytes.size() - at;
    if (lead < 0x80)
        return {Kind::ascii, 1};
    if (lead == 0x8E && left >= 2 && byte(at + 1) >= 0xA1 && byte(at + 1) <= 0xDF)
        return {Kind::half_width_katakana, 2};
    if (lead == 0x8F && left >= 3 && is_high(byte(at + 1)) && is_high(byte(at + 2)))
        return {Kind::jis_x0212, 3};
    if (is_high(lead) && left >= 2 && is_high(byte(at + 1)))
        return {lead <= 0xF4 ? Kind::jis_x0208 : Kind::user_defined, 2};
    return {Kind::ill_formed, 1};
}

// The characters the platforms' converters are given: the others read alike everywhere only
// when the shared decoder handles them itself.
constexpr bool is_for_converter(Kind kind) {
    return kind == Kind::ascii || kind == Kind::half_width_katakana || kind == Kind::jis_x0208;
}

}  // namespace text::euc_jp
