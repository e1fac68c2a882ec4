// File names on POSIX are bytes, not text: they are carried in the program's UTF-16 without
// loss, so a name that is not UTF-8 still opens.
#pragma once

#include <string>
#include <string_view>

namespace text {

// UTF-8 decoded; each byte that is no part of well-formed UTF-8 becomes a lone surrogate,
// U+DC80 to U+DCFF, as Python's "surrogateescape" carries it.
std::u16string path_from_native(std::string_view bytes);

// The bytes back: those lone surrogates become their bytes again, the rest is UTF-8 (any other
// lone surrogate U+FFFD, as no file name the system gave can hold one).
std::string native_from_path(std::u16string_view path);

}  // namespace text
