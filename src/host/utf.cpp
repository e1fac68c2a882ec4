// UTF-8 <-> UTF-16 conversions following the Unicode "maximal subpart" replacement practice.
#include "host/utf.h"

#include <cstdint>
#include <cstring>

namespace host {
namespace {

constexpr char16_t replacement = 0xFFFD;

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool is_high_surrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low_surrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::uint8_t byte_at(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

// Eight bytes are tested at once: most text has long ASCII runs (markup, code, line breaks).
constexpr std::size_t block = 8;

bool is_ascii_block(const char* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080) == 0;
}

// The common case for Japanese text, checked by value instead of per-lead byte ranges: a
// result below U+0800 is an overlong and one in D800..DFFF an encoded surrogate.
bool three_byte_sequence(std::string_view bytes, std::size_t i, char32_t& code) {
    const std::uint8_t lead = byte_at(bytes, i);
    const std::uint8_t second = byte_at(bytes, i + 1);
    const std::uint8_t third = byte_at(bytes, i + 2);
    if ((lead & 0xF0) != 0xE0 || (second & 0xC0) != 0x80 || (third & 0xC0) != 0x80) {
        return false;
    }
    code = (char32_t{lead & 0x0Fu} << 12) | (char32_t{second & 0x3Fu} << 6) | (third & 0x3Fu);
    return code >= 0x800 && (code < 0xD800 || code > 0xDFFF);
}

// Length of the well-formed sequence starting at bytes[i], or 0 with `subpart` set to the
// number of bytes to replace by one U+FFFD.
std::size_t utf8_sequence(std::string_view bytes, std::size_t i, char32_t& code,
                          std::size_t& subpart) {
    const std::uint8_t lead = byte_at(bytes, i);
    subpart = 1;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;  // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= bytes.size())
            return 0;
        const std::uint8_t b = byte_at(bytes, i + k);
        const std::uint8_t lo = k == 1 ? low : 0x80;
        const std::uint8_t hi = k == 1 ? high : 0xBF;
        if (b < lo || b > hi)
            return 0;
        code = (code << 6) | (b & 0x3F);
        subpart = k + 1;
    }
    return length;
}

// Exact UTF-16 length of well-formed input: one unit per lead byte, two for four-byte leads.
// Ill-formed input may need more; the converter grows the buffer then.
std::size_t utf16_length_estimate(std::string_view bytes) {
    std::size_t units = 0;
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        units += static_cast<std::size_t>((b & 0xC0) != 0x80) + static_cast<std::size_t>(b >= 0xF0);
    }
    return units;
}

}  // namespace

std::string utf8_from_utf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (is_high_surrogate(u) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            append_utf8(out, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
            append_utf8(out, replacement);
        } else {
            append_utf8(out, u);
        }
    }
    return out;
}

std::u16string utf16_from_utf8(std::string_view bytes) {
    // Sized exactly up front so a large file's text is never copied while it grows.
    std::u16string out(utf16_length_estimate(bytes), u'\0');
    std::size_t o = 0;
    const auto make_room = [&](std::size_t units) {
        if (out.size() - o < units)
            out.resize(out.size() + out.size() / 2 + units);
    };
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        if (i + block <= size && is_ascii_block(bytes.data() + i)) {
            make_room(block);
            for (std::size_t k = 0; k < block; ++k)
                out[o + k] = static_cast<char16_t>(bytes[i + k]);
            i += block;
            o += block;
            continue;
        }
        make_room(2);
        char32_t code = 0;
        if (byte_at(bytes, i) < 0x80) {
            out[o++] = static_cast<char16_t>(bytes[i++]);
            continue;
        }
        if (i + 3 <= size && three_byte_sequence(bytes, i, code)) {
            out[o++] = static_cast<char16_t>(code);
            i += 3;
            continue;
        }
        std::size_t subpart = 1;
        const std::size_t length = utf8_sequence(bytes, i, code, subpart);
        if (length == 0) {
            out[o++] = replacement;
            i += subpart;
        } else if (code >= 0x10000) {
            out[o++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out[o++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            i += length;
        } else {
            out[o++] = static_cast<char16_t>(code);
            i += length;
        }
    }
    out.resize(o);
    return out;
}

bool is_valid_utf8(std::string_view bytes) {
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        if (i + block <= size && is_ascii_block(bytes.data() + i)) {
            i += block;
            continue;
        }
        char32_t code = 0;
        if (byte_at(bytes, i) < 0x80) {
            ++i;
            continue;
        }
        if (i + 3 <= size && three_byte_sequence(bytes, i, code)) {
            i += 3;
            continue;
        }
        std::size_t subpart = 1;
        const std::size_t length = utf8_sequence(bytes, i, code, subpart);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

}  // namespace host
