// The longest line Text1 takes. Scintilla lays a whole line out at once, about ten bytes of
// memory for each byte of the line, on top of the text itself: past this length a single line
// would take the program beyond its memory bound of 8 bytes a file byte + 200 MiB. Lines are
// measured in UTF-8 bytes, as the box holds them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/host/host_error.h"

namespace platform::scintilla {

inline constexpr std::uint64_t max_line_bytes = std::uint64_t{32} * 1024 * 1024;

// The size of the longest line of the UTF-8 `text`; CR LF, LF and a lone CR each end a line.
std::uint64_t longest_line_bytes(std::string_view text) noexcept;

// The longest line made by inserting the UTF-8 `inserted` between `before_bytes` of the line it
// goes into and the `after_bytes` that follow it there.
std::uint64_t longest_line_after_insertion(std::uint64_t before_bytes, std::string_view inserted,
                                           std::uint64_t after_bytes) noexcept;

// What a change refused for a line makes too long, and the limit it passes.
inline constexpr std::u16string_view line_too_long_text = u"1 行が長すぎる";
std::u16string line_limit_text();

// Why a text with a longer line is not shown.
host::HostError line_too_long_error();

}  // namespace platform::scintilla
