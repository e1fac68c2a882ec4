// How much text a paste may leave in the text box, alike on every platform: no more than the
// largest file the program opens, counted as the UTF-8 bytes the text would take in a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/text_file_reader.h"

namespace platform::common {

inline constexpr std::uint64_t max_text_box_bytes = text::max_text_file_bytes;

// Whether pasting `pasted` in place of the selection keeps the box within the bound;
// `kept_bytes` is the UTF-8 size of what the box holds outside the selection.
bool paste_fits(std::uint64_t kept_bytes, std::u16string_view pasted) noexcept;

// What a change refused for the box's size makes too large.
inline constexpr std::u16string_view text_too_large = u"テキストが大きすぎる";
// The limit a change refused for the box's size passes, such as "上限 256 MiB".
std::u16string text_limit_text();

// The message of a paste refused for its size; nothing was pasted.
std::u16string paste_too_large_message();

// The message of a paste refused because it would make something too large for its limit:
// `too_large` such as "テキストが大きすぎる", `limit` such as "上限 256 MiB". Nothing was pasted.
std::u16string refused_paste_message(std::u16string_view too_large, std::u16string_view limit);

// The same for any change: `if_done` such as "入力すると", `not_done` such as "入力しませんでした".
std::u16string refused_change_message(std::u16string_view if_done, std::u16string_view not_done,
                                      std::u16string_view too_large, std::u16string_view limit);

}  // namespace platform::common
