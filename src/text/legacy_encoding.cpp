// The rule that decides between EUC-JP and code page 932, from how the bytes fall into
// characters in each; what the characters are is left to the decoders.
//
// Most files fit only one of them: every hiragana, katakana, punctuation mark and level-1 kanji
// of code page 932 has a lead byte 0x81..0x9F, which EUC-JP never uses but for 0x8E and 0x8F,
// and EUC-JP text soon puts a byte 0xFD or 0xFE, or a lead byte 0xE0..0xFC before a line end or
// a space, where code page 932 cannot have them. So the reading with fewer ill-formed bytes is
// the encoding the file was written in. Bytes that fit neither were read as code page 932
// before EUC-JP was known, and stay so unless EUC-JP has at most half as many ill-formed bytes:
// a damaged or truncated EUC-JP text has far fewer, while random bytes, or Shift_JIS with
// broken pairs, have more or about as many.
//
// Bytes that both read whole can, in code page 932, hold no full-width character but for a few
// rare kanji: in practice they are half-width katakana, every byte from 0x80 up being in
// 0xA1..0xDF. EUC-JP reads such bytes as pairs, and Japanese text is above all hiragana and
// katakana, EUC-JP lead bytes 0xA4 and 0xA5, while pairs of half-width katakana start with
// those bytes only where "､" or "･" falls first. So such bytes are code page 932 unless more
// than half of their EUC-JP characters are kana; any other bytes that both read whole (with a
// byte 0x8E, 0x8F or 0xE0..0xFE) are EUC-JP. A word of kanji alone, such as 山田, can still
// read as half-width katakana: the bytes cannot tell.
#include "text/legacy_encoding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "text/ascii_blocks.h"
#include "text/cp932_bytes.h"
#include "text/euc_jp_bytes.h"

namespace text {
namespace {

struct Cp932Reading {
    std::size_t ill_formed = 0;
    bool only_half_width = true;  // no character of two bytes
};

// Stops once `ill_formed_limit` ill-formed bytes are found: code page 932 has lost by then.
Cp932Reading read_as_cp932(std::string_view bytes, std::size_t ill_formed_limit) {
    Cp932Reading reading;
    std::size_t at = 0;
    while (at < bytes.size() && reading.ill_formed < ill_formed_limit) {
        const auto b = static_cast<std::uint8_t>(bytes[at]);
        if (b < 0x80) {
            at += ascii_blocks::is_ascii_block_at(bytes, at) ? ascii_blocks::block : 1;
        } else if (b >= 0xA1 && b <= 0xDF) {
            ++at;
        } else if (cp932::is_lead_byte(b) && at + 1 < bytes.size() &&
                   cp932::is_trail_byte(static_cast<std::uint8_t>(bytes[at + 1]))) {
            reading.only_half_width = false;
            at += 2;
        } else {
            ++reading.ill_formed;
            ++at;
        }
    }
    return reading;
}

struct EucJpReading {
    std::size_t ill_formed = 0;
    std::size_t characters = 0;  // of two or three bytes
    std::size_t kana = 0;        // hiragana and katakana of JIS X 0208
};

// Stops once `ill_formed_limit` ill-formed bytes are found: EUC-JP has lost by then.
EucJpReading read_as_euc_jp(std::string_view bytes, std::size_t ill_formed_limit) {
    EucJpReading reading;
    std::size_t at = 0;
    while (at < bytes.size() && reading.ill_formed < ill_formed_limit) {
        if (static_cast<std::uint8_t>(bytes[at]) < 0x80) {
            at += ascii_blocks::is_ascii_block_at(bytes, at) ? ascii_blocks::block : 1;
            continue;
        }
        const euc_jp::Character c = euc_jp::character_at(bytes, at);
        if (c.kind == euc_jp::Kind::ill_formed) {
            ++reading.ill_formed;
        } else if (c.length > 1) {
            ++reading.characters;
            const auto lead = static_cast<std::uint8_t>(bytes[at]);
            reading.kana += c.kind == euc_jp::Kind::jis_x0208 && (lead == 0xA4 || lead == 0xA5);
        }
        at += c.length;
    }
    return reading;
}

}  // namespace

LegacyEncoding pick_legacy_encoding(std::string_view bytes) {
    constexpr std::size_t everything = std::numeric_limits<std::size_t>::max();
    // The reading that does better on a first stretch is counted whole first, so that the other
    // stops as soon as it has lost: most files then take one pass, not two.
    constexpr std::size_t stretch = 64 * 1024;
    const std::string_view head = bytes.substr(0, stretch);
    const bool euc_jp_first =
        read_as_euc_jp(head, everything).ill_formed < read_as_cp932(head, everything).ill_formed;
    Cp932Reading cp932;
    EucJpReading euc_jp;
    if (euc_jp_first) {
        euc_jp = read_as_euc_jp(bytes, everything);
        // Code page 932 has lost once it has twice as many ill-formed bytes, and one at least.
        cp932 = read_as_cp932(bytes, std::max<std::size_t>(2 * euc_jp.ill_formed, 1));
    } else {
        cp932 = read_as_cp932(bytes, everything);
        // EUC-JP has lost once it has more than half as many.
        euc_jp = read_as_euc_jp(bytes, cp932.ill_formed / 2 + 1);
    }
    if (euc_jp.ill_formed == 0 && cp932.ill_formed == 0) {
        const bool half_width_katakana =
            cp932.only_half_width && 2 * euc_jp.kana <= euc_jp.characters;
        return half_width_katakana ? LegacyEncoding::cp932 : LegacyEncoding::euc_jp;
    }
    return 2 * euc_jp.ill_formed <= cp932.ill_formed ? LegacyEncoding::euc_jp
                                                     : LegacyEncoding::cp932;
}

}  // namespace text
