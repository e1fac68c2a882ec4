// The plain references of plain_text.h.
#include "plain_text.h"

#include <cstdint>
#include <cstring>

namespace fuzz {
namespace {

bool is_high(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

void append_code_point(std::u16string& out, char32_t code) {
    if (code >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

}  // namespace

bool is_well_formed_utf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_high(text[i])) {
            if (i + 1 >= text.size() || !is_low(text[i + 1]))
                return false;
            ++i;
        } else if (is_low(text[i])) {
            return false;
        }
    }
    return true;
}

bool same_text(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

std::u16string plain_utf8_decode(std::string_view bytes, bool& valid) {
    std::u16string out;
    out.reserve(bytes.size());
    valid = true;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t trail = 0;
        char32_t code = 0;
        std::uint8_t first_low = 0x80;
        std::uint8_t first_high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            code = lead & 0x0F;
            first_low = lead == 0xE0 ? 0xA0 : 0x80;
            first_high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            code = lead & 0x07;
            first_low = lead == 0xF0 ? 0x90 : 0x80;
            first_high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out.push_back(replacement);
            valid = false;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        std::size_t taken = 0;
        while (taken < trail && j < bytes.size()) {
            const auto b = static_cast<std::uint8_t>(bytes[j]);
            const std::uint8_t low = taken == 0 ? first_low : 0x80;
            const std::uint8_t high = taken == 0 ? first_high : 0xBF;
            if (b < low || b > high)
                break;
            code = (code << 6) | (b & 0x3Fu);
            ++j;
            ++taken;
        }
        if (taken < trail) {
            out.push_back(replacement);
            valid = false;
        } else {
            append_code_point(out, code);
        }
        i = j;
    }
    return out;
}

std::u16string with_nuls_shown(std::u16string text) {
    for (char16_t& u : text) {
        if (u == 0)
            u = symbol_for_nul;
    }
    return text;
}

std::u16string crlf_normalised(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            out += u"\r\n";
        } else {
            out.push_back(text[i]);
        }
    }
    if (!text.empty() && text.back() != u'\r' && text.back() != u'\n')
        out += u"\r\n";
    return out;
}

std::string utf16_bytes(std::u16string_view text, bool little_endian) {
    std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t u : text) {
        const auto low = static_cast<char>(u & 0xFF);
        const auto high = static_cast<char>(u >> 8);
        out.push_back(little_endian ? low : high);
        out.push_back(little_endian ? high : low);
    }
    return out;
}

}  // namespace fuzz
