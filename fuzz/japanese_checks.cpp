// The Japanese legacy decoders held against deliberately plain references: byte ranges written
// out again here, iconv called one character at a time or on the whole input.
#include "japanese_checks.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "plain_text.h"
#include "text/euc_jp.h"
#include "text/iso2022_jp.h"
#include "text/legacy_encoding.h"
#include "text/posix/iconv_handle.h"

namespace fuzz {
namespace {

std::uint8_t byte_at(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

bool in(std::uint8_t b, std::uint8_t low, std::uint8_t high) {
    return b >= low && b <= high;
}

// The text iconv makes of all of `bytes`, or false when it rejects any of them.
bool iconv_decode(const text::IconvHandle& converter, std::string_view bytes, std::u16string& out) {
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    std::u16string buffer(2 * bytes.size() + 4, u'\0');
    char* in_next = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char* out_next = reinterpret_cast<char*>(buffer.data());
    std::size_t out_left = buffer.size() * sizeof(char16_t);
    if (iconv(converter.get(), &in_next, &in_left, &out_next, &out_left) ==
            static_cast<std::size_t>(-1) ||
        iconv(converter.get(), nullptr, nullptr, &out_next, &out_left) ==
            static_cast<std::size_t>(-1)) {
        return false;
    }
    buffer.resize(static_cast<std::size_t>(out_next - reinterpret_cast<char*>(buffer.data())) /
                  sizeof(char16_t));
    out = std::move(buffer);
    return true;
}

// The bytes iconv's encoder makes of `text`, or false when it cannot encode all of it.
bool iconv_encode(const text::IconvHandle& converter, std::u16string_view text, std::string& out) {
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    std::string buffer(3 * text.size() + 8, '\0');
    char* in_next = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t in_left = text.size() * sizeof(char16_t);
    char* out_next = buffer.data();
    std::size_t out_left = buffer.size();
    if (iconv(converter.get(), &in_next, &in_left, &out_next, &out_left) ==
        static_cast<std::size_t>(-1)) {
        return false;
    }
    buffer.resize(static_cast<std::size_t>(out_next - buffer.data()));
    out = std::move(buffer);
    return true;
}

// EUC-JP straight from its byte ranges, one character at a time, each character the shared
// decoder gives the converter converted alone: the rules of text/euc_jp.h, plainly. Each
// character is converted once in the run and remembered, by its one or two bytes, or fuzzing
// crawls.
std::u16string plain_euc_jp_decode(std::string_view bytes) {
    static const text::IconvHandle converter(text::native_utf16, "EUC-JP", u"EUC-JP");
    constexpr char32_t unknown = 0x110000;
    constexpr char32_t rejected = 0x110001;
    static std::vector<char32_t> converted_before(0x10000, unknown);
    const auto convert = [&](std::string_view character) {
        std::size_t key = 0;
        for (const char b : character)
            key = key << 8 | static_cast<std::uint8_t>(b);
        char32_t& known = converted_before[key];
        if (known == unknown) {
            std::u16string unit;
            known = iconv_decode(converter, character, unit) ? unit.at(0) : rejected;
            check(known == rejected || unit.size() == 1,
                  "EUC-JP: iconv gives one unit per character");
        }
        return known == rejected ? replacement : static_cast<char16_t>(known);
    };
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = byte_at(bytes, i);
        const std::size_t left = bytes.size() - i;
        std::size_t length = 1;
        bool converted = false;
        if (lead < 0x80) {
            converted = true;
        } else if (lead == 0x8E && left >= 2 && in(byte_at(bytes, i + 1), 0xA1, 0xDF)) {
            length = 2;
            converted = true;
        } else if (lead == 0x8F && left >= 3 && in(byte_at(bytes, i + 1), 0xA1, 0xFE) &&
                   in(byte_at(bytes, i + 2), 0xA1, 0xFE)) {
            length = 3;
        } else if (in(lead, 0xA1, 0xFE) && left >= 2 && in(byte_at(bytes, i + 1), 0xA1, 0xFE)) {
            length = 2;
            converted = lead <= 0xF4;
        }
        out.push_back(converted ? convert(bytes.substr(i, length)) : replacement);
        i += length;
    }
    return out;
}

// The legacy rule's counts, byte by byte over the whole input.
struct PlainCounts {
    std::size_t cp932_ill_formed = 0;
    std::size_t cp932_pairs = 0;
    std::size_t euc_ill_formed = 0;
    std::size_t euc_multi_byte = 0;
    std::size_t euc_kana = 0;
};

PlainCounts plain_counts(std::string_view bytes) {
    PlainCounts counts;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t b = byte_at(bytes, i);
        const bool lead = in(b, 0x81, 0x9F) || in(b, 0xE0, 0xFC);
        if (b < 0x80 || in(b, 0xA1, 0xDF)) {
            ++i;
        } else if (lead && i + 1 < bytes.size() && in(byte_at(bytes, i + 1), 0x40, 0xFC) &&
                   byte_at(bytes, i + 1) != 0x7F) {
            ++counts.cp932_pairs;
            i += 2;
        } else {
            ++counts.cp932_ill_formed;
            ++i;
        }
    }
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t b = byte_at(bytes, i);
        const std::size_t left = bytes.size() - i;
        const auto high = [&](std::size_t k) { return in(byte_at(bytes, i + k), 0xA1, 0xFE); };
        if (b < 0x80) {
            ++i;
        } else if (b == 0x8E && left >= 2 && in(byte_at(bytes, i + 1), 0xA1, 0xDF)) {
            ++counts.euc_multi_byte;
            i += 2;
        } else if (b == 0x8F && left >= 3 && high(1) && high(2)) {
            ++counts.euc_multi_byte;
            i += 3;
        } else if (in(b, 0xA1, 0xFE) && left >= 2 && high(1)) {
            ++counts.euc_multi_byte;
            counts.euc_kana += b == 0xA4 || b == 0xA5;
            i += 2;
        } else {
            ++counts.euc_ill_formed;
            ++i;
        }
    }
    return counts;
}

}  // namespace

void check_euc_jp(std::string_view bytes) {
    const std::u16string text = text::decode_euc_jp(bytes);
    check(same_text(text, plain_euc_jp_decode(bytes)), "EUC-JP matches the plain decoder");
    check(text.size() <= bytes.size() && 3 * text.size() >= bytes.size(),
          "EUC-JP: every unit takes one to three bytes");
    // ASCII is never part of a character of two or three bytes, and no such character decodes
    // to ASCII: the ASCII bytes and units are the same, in order.
    std::size_t unit = 0;
    for (const char b : bytes) {
        if (static_cast<std::uint8_t>(b) >= 0x80)
            continue;
        while (unit < text.size() && text[unit] >= 0x80)
            ++unit;
        check(unit < text.size() && text[unit] == static_cast<char16_t>(b),
              "EUC-JP: ASCII bytes come through one for one");
        ++unit;
    }
    while (unit < text.size() && text[unit] >= 0x80)
        ++unit;
    check(unit == text.size(), "EUC-JP: no unit below 0x80 but the ASCII bytes");
    // Resuming in step after an ASCII byte needs no check of its own: the plain decoder does
    // so by construction, and the text is the plain decoder's.
    if (text.find(replacement) == std::u16string::npos) {
        static const text::IconvHandle encoder("EUC-JP", text::native_utf16, u"EUC-JP");
        std::string encoded;
        check(iconv_encode(encoder, text, encoded) && encoded == bytes,
              "EUC-JP read whole encodes back to its bytes");
    }
}

void check_iso2022_jp(std::string_view bytes) {
    const std::u16string text = text::decode_iso2022_jp(bytes);
    check(text.size() <= bytes.size(), "ISO-2022-JP: at most one unit per byte");
    // Controls, the space and DEL belong to no character set: they come through one for one
    // whatever the escapes say. ESC is left out, as escape sequences vanish.
    const auto is_control = [](char16_t u) { return (u <= 0x20 && u != 0x1B) || u == 0x7F; };
    std::u16string control_bytes;
    for (const char b : bytes) {
        if (is_control(static_cast<std::uint8_t>(b)))
            control_bytes.push_back(static_cast<char16_t>(b));
    }
    std::u16string control_units;
    for (const char16_t u : text) {
        if (is_control(u))
            control_units.push_back(u);
    }
    check(control_units == control_bytes, "ISO-2022-JP: controls come through one for one");
    if (bytes.find("\x1B(I") != std::string_view::npos)
        return;
    static const text::IconvHandle converter(text::native_utf16, "ISO-2022-JP", u"ISO-2022-JP");
    std::u16string expected;
    if (iconv_decode(converter, bytes, expected))
        check(text == expected, "ISO-2022-JP matches iconv wherever iconv reads it");
}

void check_legacy_choice(std::string_view bytes) {
    const PlainCounts counts = plain_counts(bytes);
    bool euc_jp = 2 * counts.euc_ill_formed <= counts.cp932_ill_formed;
    if (counts.euc_ill_formed == 0 && counts.cp932_ill_formed == 0)
        euc_jp = counts.cp932_pairs > 0 || 2 * counts.euc_kana > counts.euc_multi_byte;
    const text::LegacyEncoding expected =
        euc_jp ? text::LegacyEncoding::euc_jp : text::LegacyEncoding::cp932;
    check(text::pick_legacy_encoding(bytes) == expected, "the legacy choice follows the rule");
}

}  // namespace fuzz
