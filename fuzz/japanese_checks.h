// Checks of the Japanese legacy decoders and of the choice between EUC-JP and code page 932,
// on any bytes, against plain references and iconv itself.
#pragma once

#include <string_view>

namespace fuzz {

// decode_euc_jp: the ASCII bytes one for one, a plain character-at-a-time decoder's text (which
// resumes in step after each ASCII byte), and a round trip through iconv's encoder when nothing
// was replaced.
void check_euc_jp(std::string_view bytes);

// decode_iso2022_jp: controls one for one, and iconv's own ISO-2022-JP text wherever iconv
// reads the bytes (and they use no half-width katakana, which iconv's ISO-2022-JP lacks).
void check_iso2022_jp(std::string_view bytes);

// pick_legacy_encoding gives what the documented rule gives, counted plainly byte by byte.
void check_legacy_choice(std::string_view bytes);

}  // namespace fuzz
