// UTF-8 <-> UTF-16 conversions following the Unicode "maximal subpart" replacement practice.
#include "text/utf.h"

#include "text/utf8_decoder.h"

namespace text {
namespace {

// Writes `c` at `out` and returns the end of what it wrote.
char* put_utf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

std::size_t utf8_size(std::u16string_view text) noexcept {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u < 0x80) {
            bytes += 1;
        } else if (u < 0x800) {
            bytes += 2;
        } else if (is_high_surrogate(u) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;  // the rest of the BMP, and a lone surrogate's U+FFFD
        }
    }
    return bytes;
}

std::string utf8_from_utf16(std::u16string_view text) {
    // Sized exactly, then written in place: three bytes a unit would hold a 256 MiB text's
    // worth of spare memory, and a byte at a time through the string takes three times as long.
    std::string out(utf8_size(text), '\0');
    char* end = out.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u < 0x80) {
            *end++ = static_cast<char>(u);
        } else if (is_high_surrogate(u) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            end = put_utf8(end, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
            end = put_utf8(end, utf8::replacement);
        } else {
            end = put_utf8(end, u);
        }
    }
    return out;
}

std::u16string utf16_from_utf8(std::string_view bytes) {
    std::u16string out;
    utf8::decode<utf8::IllFormed::replace>(bytes, out, [](char16_t unit) { return unit; });
    return out;
}

bool is_valid_utf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
        if (static_cast<std::size_t>(end - p) >= ascii_blocks::block &&
            ascii_blocks::is_ascii_block(p)) {
            p += ascii_blocks::block;
        } else if (*p < 0x80) {
            ++p;
        } else if (end - p >= 3 && utf8::three_byte_sequence(p) != 0) {
            p += 3;
        } else {
            char32_t code = 0;
            std::size_t subpart = 1;
            const std::size_t length =
                utf8::sequence(p, static_cast<std::size_t>(end - p), code, subpart);
            if (length == 0)
                return false;
            p += length;
        }
    }
    return true;
}

}  // namespace text
