// Picks the encoding of a file's bytes from its byte-order mark or its content, then decodes.
#include "text/text_decoding.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "text/euc_jp.h"
#include "text/iso2022_jp.h"
#include "text/legacy_encoding.h"
#include "text/platform_converters.h"
#include "text/utf.h"
#include "text/utf8_decoder.h"

namespace text {
namespace {

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";
constexpr std::string_view utf16le_bom = "\xFF\xFE";
constexpr std::string_view utf16be_bom = "\xFE\xFF";

constexpr char16_t symbol_for_null = 0x2400;

// Keeps a NUL from ending the text early in a text control, which stops at the first one.
// A lambda rather than a function, so the decoding loop inlines it.
constexpr auto symbol_for_nul = [](char16_t unit) { return unit == 0 ? symbol_for_null : unit; };

enum class ByteOrder { little, big };

std::u16string decode_utf16(std::string_view bytes, ByteOrder order) {
    const auto unit_at = [&](std::size_t i) {
        const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return order == ByteOrder::little ? static_cast<char16_t>(first | (second << 8))
                                          : static_cast<char16_t>((first << 8) | second);
    };
    const std::size_t units = bytes.size() / 2;
    std::u16string out(units + bytes.size() % 2, u'\0');
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = unit_at(i);
        if (is_high_surrogate(u) && i + 1 < units && is_low_surrogate(unit_at(i + 1))) {
            out[i] = u;
            out[i + 1] = unit_at(i + 1);
            ++i;
        } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
            out[i] = utf8::replacement;
        } else {
            out[i] = symbol_for_nul(u);
        }
    }
    if (bytes.size() % 2 != 0)
        out.back() = utf8::replacement;  // half a unit left over
    return out;
}

// The legacy encodings' converters leave NULs as they are. Four units are checked at once, as
// NULs are rare.
void replace_nuls(std::u16string& text) {
    constexpr std::uint64_t low_bits = 0x0001000100010001;
    constexpr std::uint64_t high_bits = 0x8000800080008000;
    std::size_t i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        std::uint64_t units = 0;
        std::memcpy(&units, text.data() + i, sizeof units);
        if (((units - low_bits) & ~units & high_bits) == 0)
            continue;  // no zero unit
        for (std::size_t k = i; k < i + 4; ++k)
            text[k] = symbol_for_nul(text[k]);
    }
    for (; i < text.size(); ++i)
        text[i] = symbol_for_nul(text[i]);
}

// UTF-8 is recognised and decoded in one pass; the first ill-formed byte ends the attempt,
// whose memory goes before anything else is tried.
std::optional<std::u16string> decode_if_utf8(std::string_view bytes) {
    std::u16string text;
    if (!utf8::decode<utf8::IllFormed::reject>(bytes, text, symbol_for_nul))
        return std::nullopt;
    return text;
}

}  // namespace

std::u16string decode_text(std::string_view bytes) {
    if (bytes.starts_with(utf8_bom)) {
        std::u16string text;
        utf8::decode<utf8::IllFormed::replace>(bytes.substr(utf8_bom.size()), text, symbol_for_nul);
        return text;
    }
    if (bytes.starts_with(utf16le_bom)) {
        return decode_utf16(bytes.substr(utf16le_bom.size()), ByteOrder::little);
    }
    if (bytes.starts_with(utf16be_bom)) {
        return decode_utf16(bytes.substr(utf16be_bom.size()), ByteOrder::big);
    }
    // ISO-2022-JP is 7-bit, so valid UTF-8 as well; telling it apart costs far less than the
    // UTF-8 attempt it saves.
    if (is_iso2022_jp(bytes)) {
        std::u16string text = decode_iso2022_jp(bytes);
        replace_nuls(text);
        return text;
    }
    if (auto text = decode_if_utf8(bytes))
        return std::move(*text);
    std::u16string text = pick_legacy_encoding(bytes) == LegacyEncoding::euc_jp
                              ? decode_euc_jp(bytes)
                              : decode_cp932(bytes);
    replace_nuls(text);
    return text;
}

}  // namespace text
