// Telling EUC-JP from code page 932 (Shift_JIS) for a file that is neither UTF-8 nor ISO-2022-JP.
#pragma once

#include <string_view>

namespace text {

enum class LegacyEncoding { cp932, euc_jp };

// EUC-JP when it reads the bytes with at most half as many ill-formed bytes as code page 932;
// bytes both read whole are EUC-JP unless they look like half-width katakana (see
// legacy_encoding.cpp).
LegacyEncoding pick_legacy_encoding(std::string_view bytes);

}  // namespace text
