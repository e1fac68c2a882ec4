// The decoding checks of decoding_checks.h, shared by the small targets and the file-level one.
#include "decoding_checks.h"

#include <cstdint>

#include "fuzz_check.h"
#include "japanese_checks.h"
#include "plain_text.h"
#include "text/euc_jp.h"
#include "text/iso2022_jp.h"
#include "text/legacy_encoding.h"
#include "text/platform_converters.h"
#include "text/text_decoding.h"
#include "text/text_lines.h"
#include "text/utf.h"

namespace fuzz {
namespace {

bool is_surrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

// decode_text's text for the body of a UTF-16 file with a byte-order mark, unit by unit.
void check_utf16_text(std::string_view body, bool little, std::u16string_view text) {
    check(text.size() == (body.size() + 1) / 2, "UTF-16: one unit per two bytes, odd rounds up");
    check(is_well_formed_utf16(text), "UTF-16: decoded text is well-formed");
    for (std::size_t i = 0; i < body.size() / 2; ++i) {
        const auto first = static_cast<std::uint8_t>(body[2 * i]);
        const auto second = static_cast<std::uint8_t>(body[2 * i + 1]);
        const auto unit =
            static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
        if (unit == 0) {
            check(text[i] == symbol_for_nul, "UTF-16: NUL shown as a symbol");
        } else if (is_surrogate(unit)) {
            check(text[i] == unit || text[i] == replacement, "UTF-16: surrogate kept or replaced");
        } else {
            check(text[i] == unit, "UTF-16: unit kept");
        }
    }
    if (body.size() % 2 != 0)
        check(text.back() == replacement, "UTF-16: half a unit replaced");
    // Well-formed input without NULs comes back byte for byte.
    if (body.size() % 2 == 0 && text.find(replacement) == std::u16string_view::npos &&
        text.find(symbol_for_nul) == std::u16string_view::npos) {
        check(utf16_bytes(text, little).substr(2) == body, "UTF-16 with a BOM round-trips");
    }
}

}  // namespace

void check_utf8(std::string_view bytes) {
    bool valid = false;
    const std::u16string expected = plain_utf8_decode(bytes, valid);
    check(text::is_valid_utf8(bytes) == valid, "UTF-8 validity agrees with the plain decoder");
    const std::u16string text = text::utf16_from_utf8(bytes);
    check(same_text(text, expected), "lenient UTF-8 matches the plain decoder");
    const std::string again = text::utf8_from_utf16(text);
    check(text::utf8_size(text) == again.size(), "utf8_size counts utf8_from_utf16's bytes");
    if (valid)
        check(again == bytes, "valid UTF-8 round-trips");
}

void check_utf16(std::string_view bytes) {
    for (const bool little : {true, false}) {
        std::string file = little ? "\xFF\xFE" : "\xFE\xFF";
        file += bytes;
        check_utf16_text(bytes, little, text::decode_text(file));
    }
    // The units as they are, lone surrogates included, written out as UTF-8.
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    const std::string utf8 = text::utf8_from_utf16(units);
    check(text::utf8_size(units) == utf8.size(), "utf8_size counts utf8_from_utf16's bytes");
    check(text::is_valid_utf8(utf8), "utf8_from_utf16 makes valid UTF-8");
    const std::u16string back = text::utf16_from_utf8(utf8);
    check(back.size() == units.size(), "UTF-16 through UTF-8 keeps the number of units");
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (!is_surrogate(units[i]))
            check(back[i] == units[i], "UTF-16 through UTF-8 keeps every unit but surrogates");
        else
            check(back[i] == units[i] || back[i] == replacement,
                  "UTF-16 through UTF-8 keeps a pair, replaces a lone surrogate");
    }
}

void check_decoded(std::string_view bytes, std::u16string_view text) {
    check(is_well_formed_utf16(text), "decoded text is well-formed UTF-16");
    check(text.find(u'\0') == std::u16string_view::npos, "no NUL survives decoding");
    // No byte yields more than one unit, and a byte-order mark none: a four-byte UTF-8
    // sequence gives two, a UTF-16 unit takes two bytes (half a unit left over gives one
    // U+FFFD), a CP932 pair gives one, and each U+FFFD stands for a byte or more.
    std::size_t mark = 0;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        mark = 3;
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        mark = 2;
    check(text.size() <= bytes.size() - mark, "at most one unit per input byte");

    if (mark == 2) {
        check_utf16_text(bytes.substr(2), bytes[0] == '\xFF', text);
        return;
    }
    bool valid = false;
    if (mark == 3) {
        const std::u16string expected = plain_utf8_decode(bytes.substr(3), valid);
        check(text == with_nuls_shown(expected), "UTF-8 after a BOM matches the plain decoder");
        return;
    }
    const std::u16string expected = plain_utf8_decode(bytes, valid);
    if (valid && text::is_iso2022_jp(bytes)) {
        check(expected.size() == bytes.size(), "ISO-2022-JP is taken for 7-bit text only");
        check(text == with_nuls_shown(text::decode_iso2022_jp(bytes)),
              "7-bit text with JIS escapes is read as ISO-2022-JP");
        return;
    }
    if (valid) {
        check(text == with_nuls_shown(expected), "valid UTF-8 is read as UTF-8");
        return;
    }
    if (text::pick_legacy_encoding(bytes) == text::LegacyEncoding::euc_jp) {
        check(text == with_nuls_shown(text::decode_euc_jp(bytes)), "EUC-JP is read as EUC-JP");
        return;
    }
    check(text == with_nuls_shown(text::decode_cp932(bytes)), "CP932 is read as CP932");
}

void check_encoding_choice(std::string_view bytes) {
    check_decoded(bytes, text::decode_text(bytes));
    check_legacy_choice(bytes);
}

void check_lines_of_bytes(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        text[i] = static_cast<char16_t>(b < 0x80 ? b : b << 8 | b);
    }
    check_lines(text);
}

void check_cp932(std::string_view bytes) {
    const std::u16string text = with_nuls_shown(text::decode_cp932(bytes));
    // Every unit takes one or two bytes.
    check(text.size() <= bytes.size() && 2 * text.size() >= bytes.size(),
          "CP932: one or two bytes per unit");
    check(is_well_formed_utf16(text), "CP932: decoded text is well-formed UTF-16");
    // Bytes below 0x40 are never part of a pair, and no pair decodes below U+0040: they come
    // through one for one and in order, line ends included, whatever surrounds them.
    const auto is_low = [](char16_t u) { return u < 0x40 || u == symbol_for_nul; };
    std::size_t unit = 0;
    for (const char b : bytes) {
        if (static_cast<std::uint8_t>(b) >= 0x40)
            continue;
        while (unit < text.size() && !is_low(text[unit]))
            ++unit;
        check(unit < text.size() &&
                  text[unit] == (b == '\0' ? symbol_for_nul : static_cast<char16_t>(b)),
              "CP932: bytes below 0x40 come through one for one");
        ++unit;
    }
    while (unit < text.size() && !is_low(text[unit]))
        ++unit;
    check(unit == text.size(), "CP932: no unit below U+0040 but those bytes");
    // A byte below 0x40 is never a trail byte, so the converter is back in step after it:
    // cutting the input just past such a byte must not change the result.
    std::size_t cut = bytes.size();
    while (cut > 0 && static_cast<std::uint8_t>(bytes[cut - 1]) >= 0x40)
        --cut;
    if (cut > 0) {
        const std::u16string head = with_nuls_shown(text::decode_cp932(bytes.substr(0, cut)));
        const std::u16string tail = with_nuls_shown(text::decode_cp932(bytes.substr(cut)));
        check(head.size() + tail.size() == text.size() &&
                  same_text(std::u16string_view(text).substr(0, head.size()), head) &&
                  same_text(std::u16string_view(text).substr(head.size()), tail),
              "CP932 resumes in step after a byte below 0x40");
    }
}

void check_lines(std::u16string_view text) {
    const text::LineTally tally = text::tally_lines(text);
    text::LineCursor cursor(text);
    std::size_t lines = 0;
    std::size_t units = 0;
    std::u16string joined;
    while (!cursor.at_end()) {
        const std::u16string_view line = cursor.next_line();
        check(line.find_first_of(u"\r\n") == std::u16string_view::npos, "no CR or LF in a line");
        check(line.data() >= text.data() && line.data() + line.size() <= text.data() + text.size(),
              "a line is a view into the text");
        ++lines;
        units += line.size();
        joined += line;
        joined += u"\r\n";
        check(lines <= text.size(), "the cursor ends");
    }
    check(tally.lines == lines, "tally counts the cursor's lines");
    check(tally.units == units, "tally counts the cursor's units");
    check(joined == crlf_normalised(text), "lines joined with CR LF equal the normalised text");
}

void check_round_trips(std::u16string_view text) {
    check(text::decode_text(utf16_bytes(text, true)) == text, "UTF-16 LE round trip");
    check(text::decode_text(utf16_bytes(text, false)) == text, "UTF-16 BE round trip");
    const std::string utf8 = text::utf8_from_utf16(text);
    check(text::decode_text("\xEF\xBB\xBF" + utf8) == text, "UTF-8 with a BOM round trip");
    check(text::utf16_from_utf8(utf8) == text, "UTF-8 conversion round trip");
    // A leading U+FEFF would be read back as a byte-order mark, and JIS escapes in 7-bit text
    // as ISO-2022-JP.
    if (!text.starts_with(u'\uFEFF') && !text::is_iso2022_jp(utf8))
        check(text::decode_text(utf8) == text, "bare UTF-8 round trip");
}

}  // namespace fuzz
