// The longest line Text1 takes. Scintilla lays a whole line out at once, about ten bytes of
// memory for each byte of the line, on top of the text itself: past this length a single line
// would take the program beyond its memory bound of 8 bytes a file byte + 200 MiB. Lines are
// measured in UTF-8 bytes, as the box holds them.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/host/host_error.h"

namespace platform::scintilla {

inline constexpr std::uint64_t max_line_bytes = std::uint64_t{32} * 1024 * 1024;

// The UTF-8 size of the longest line of `text`; CR LF, LF and a lone CR each end a line.
std::uint64_t longest_line_bytes(std::u16string_view text) noexcept;

// The longest line made by pasting `pasted` between `before_bytes` of its line before the
// selection and `after_bytes` of it after the selection.
std::uint64_t longest_line_after_paste(std::uint64_t before_bytes, std::u16string_view pasted,
                                       std::uint64_t after_bytes) noexcept;

// Why a text with a longer line is not shown.
host::HostError line_too_long_error();
// The message of a paste refused for the line it would make; nothing was pasted.
std::u16string line_too_long_paste_message();

}  // namespace platform::scintilla
