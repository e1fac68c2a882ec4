// Decoding EUC-JP, the legacy encoding of Japanese text on Unix systems, alike on every platform.
#pragma once

#include <string>
#include <string_view>

namespace text {

// One unit for each character and for each byte that starts none. Characters come from the
// platform's converter; a JIS X 0208 cell without a character, a user-defined character (rows
// 85 to 94) and a JIS X 0212 character (three bytes from 0x8F) become one U+FFFD each, as does
// each byte that starts no character, decoding resuming at the byte after it.
std::u16string decode_euc_jp(std::string_view bytes);

}  // namespace text
