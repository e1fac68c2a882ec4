// Turning a text file's bytes into UTF-16, whatever encoding a Japanese user's file is in.
#pragma once

#include <string>
#include <string_view>

namespace text {

// A byte-order mark (UTF-8, UTF-16 LE or BE) decides and is dropped; otherwise the bytes are
// UTF-8 when all of them are well-formed, but for 7-bit text that switches to Japanese with
// ISO-2022-JP's escape sequences, which is ISO-2022-JP; else EUC-JP or code page 932, as
// pick_legacy_encoding decides. Undecodable bytes and lone surrogates become U+FFFD, and every
// NUL becomes U+2400 so it cannot cut the text short.
std::u16string decode_text(std::string_view bytes);

}  // namespace text
