// Decoding Japanese Shift_JIS text as Windows code page 932, through the platform's converter.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Each byte the converter rejects becomes U+FFFD and decoding resumes at the next byte.
std::u16string decode_cp932(std::string_view bytes);

}  // namespace host
