// UTF-8 <-> UTF-16 conversions following the Unicode "maximal subpart" replacement practice.
#include "text/utf.h"

#include <algorithm>
#include <cstdint>

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
    // Counted without branches, a block at a time in 32 bits, so that the compiler counts many
    // units at once (a whole file's text is counted before it is converted): every unit is
    // three bytes from U+0800 on (a lone surrogate's U+FFFD too), a surrogate pair four in all.
    constexpr std::size_t block = 1 << 16;
    std::size_t bytes = text.size();
    for (std::size_t start = 0; start < text.size(); start += block) {
        const std::size_t end = std::min(text.size(), start + block);
        std::uint32_t extra = 0;
        for (std::size_t i = start; i < end; ++i) {
            const std::uint32_t unit = text[i];
            extra += static_cast<std::uint32_t>(unit >= 0x80) +
                     static_cast<std::uint32_t>(unit >= 0x800);
        }
        std::uint32_t pairs = 0;
        for (std::size_t i = std::max<std::size_t>(start, 1); i < end; ++i)
            pairs += static_cast<std::uint32_t>(is_high_surrogate(text[i - 1])) &
                     static_cast<std::uint32_t>(is_low_surrogate(text[i]));
        bytes += extra - 2 * pairs;
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
