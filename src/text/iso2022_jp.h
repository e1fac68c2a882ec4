// Recognising and decoding ISO-2022-JP ("JIS"), the 7-bit encoding of Japanese mail and news.
#pragma once

#include <string>
#include <string_view>

namespace text {

// True when every byte is below 0x80 and an escape sequence switches to JIS X 0208
// (ESC $ @, ESC $ B) or to half-width katakana (ESC ( I) somewhere.
bool is_iso2022_jp(std::string_view bytes);

// ESC ( B switches to ASCII (the start), ESC ( J to JIS X 0201 Roman (ASCII with ¥ and ‾ for
// the backslash and the tilde), ESC $ @ and ESC $ B to JIS X 0208, ESC ( I to half-width
// katakana. Controls and the space are themselves whatever the set, and any other escape is
// passed on as ESC. A JIS X 0208 pair or katakana byte becomes its character through the EUC-JP
// decoder, whose rules it follows; a lone byte of a pair, a byte the katakana set lacks and a
// byte from 0x80 up each become U+FFFD.
std::u16string decode_iso2022_jp(std::string_view bytes);

}  // namespace text
