// The UTF-8 decoding loop behind both the lenient converter and the strict recognition of UTF-8
// files, kept in one place so both agree on every byte.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/ascii_blocks.h"

namespace text::utf8 {

constexpr char16_t replacement = 0xFFFD;

using ascii_blocks::block;

// The common case for Japanese text, checked by value instead of per-lead byte ranges: a
// result below U+0800 is an overlong and one in D800..DFFF an encoded surrogate. Returns 0
// when the three bytes are not such a sequence.
inline char16_t three_byte_sequence(const unsigned char* p) {
    if ((p[0] & 0xF0) != 0xE0 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
        return 0;
    const unsigned code = ((p[0] & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
    if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return static_cast<char16_t>(code);
}

// Length of the well-formed sequence at p (`available` bytes left), or 0 with `subpart` set to
// the number of bytes to replace by one U+FFFD: the maximal ill-formed subpart.
inline std::size_t sequence(const unsigned char* p, std::size_t available, char32_t& code,
                            std::size_t& subpart) {
    const unsigned char lead = p[0];
    subpart = 1;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
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
        if (k >= available)
            return 0;
        const unsigned char b = p[k];
        if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
            return 0;
        code = (code << 6) | (b & 0x3F);
        subpart = k + 1;
    }
    return length;
}

// Exact UTF-16 length of well-formed input: one unit per lead byte, two for four-byte leads.
// Eight bytes at a time: a byte 10xxxxxx continues a sequence, one 11110xxx starts a pair.
inline std::size_t utf16_length_estimate(std::string_view bytes) {
    constexpr std::uint64_t low_bytes = 0x0101010101010101;
    const auto count_marked = [](std::uint64_t marks) {  // bytes whose top bit is set
        return static_cast<std::size_t>((((marks & ascii_blocks::high_bits) >> 7) * low_bytes) >>
                                        56);
    };
    std::size_t units = bytes.size();
    std::size_t i = 0;
    for (; i + block <= bytes.size(); i += block) {
        const std::uint64_t w = ascii_blocks::load(bytes.data() + i);
        units -= count_marked(w & ~(w << 1));
        units += count_marked(w & (w << 1) & (w << 2) & (w << 3));
    }
    for (; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        units -= static_cast<std::size_t>((b & 0xC0) == 0x80);
        units += static_cast<std::size_t>(b >= 0xF0);
    }
    return units;
}

enum class IllFormed { replace, reject };

// Decodes into `out`, passing each unit of a BMP character through `map`. IllFormed::replace
// puts one U+FFFD per maximal ill-formed subpart; IllFormed::reject gives up at the first one
// and returns false.
//
// Memory is reserved for the exact length of well-formed input, and made writable a chunk at a
// time just ahead of the writes (resizing fills it with zeros first), so its pages are touched
// as decoding reaches them, not all at the start. The reservation covers a first stretch of the
// input, then the rest once decoding gets past it: text in another encoding is mostly rejected
// within that stretch, and then without a pass over the whole input.
template <IllFormed ill_formed, class Map>
bool decode(std::string_view bytes, std::u16string& out, Map map) {
    constexpr std::size_t chunk = 64 * 1024;
    std::size_t estimated = std::min(bytes.size(), chunk);
    std::size_t reservation = utf16_length_estimate(bytes.substr(0, estimated));
    out.clear();
    out.reserve(reservation);
    std::size_t o = 0;
    char16_t* dst = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    // Extends the writable size within the reservation (or past it for ill-formed input, by
    // no more than the bytes left can need: each gives at most one unit, so a short string
    // with a bad byte does not grow by a whole chunk).
    const auto make_room = [&](std::size_t units) {
        if (out.size() - o >= units)
            return;
        if (out.capacity() - out.size() < units && estimated < bytes.size()) {
            reservation += utf16_length_estimate(bytes.substr(estimated));
            estimated = bytes.size();
            out.reserve(reservation);
        }
        const std::size_t spare = out.capacity() - out.size();
        const auto bytes_left = static_cast<std::size_t>(end - p);
        out.resize(out.size() +
                   (spare >= units ? std::min(spare, chunk) : units + std::min(bytes_left, chunk)));
        dst = out.data();
    };
    while (p != end) {
        if (static_cast<std::size_t>(end - p) >= block && ascii_blocks::is_ascii_block(p)) {
            make_room(block);
            for (std::size_t k = 0; k < block; ++k)
                dst[o + k] = map(static_cast<char16_t>(p[k]));
            o += block;
            p += block;
            continue;
        }
        make_room(1);
        if (*p < 0x80) {
            dst[o++] = map(static_cast<char16_t>(*p++));
            continue;
        }
        if (end - p >= 3) {
            if (const char16_t unit = three_byte_sequence(p)) {
                dst[o++] = map(unit);
                p += 3;
                continue;
            }
        }
        char32_t code = 0;
        std::size_t subpart = 1;
        const std::size_t length = sequence(p, static_cast<std::size_t>(end - p), code, subpart);
        if (length == 0) {
            if constexpr (ill_formed == IllFormed::reject)
                return false;
            dst[o++] = replacement;
            p += subpart;
        } else if (code >= 0x10000) {
            make_room(2);
            dst[o++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            dst[o++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            p += length;
        } else {
            dst[o++] = map(static_cast<char16_t>(code));
            p += length;
        }
    }
    out.resize(o);
    return true;
}

}  // namespace text::utf8
