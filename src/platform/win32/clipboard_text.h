// The clipboard's text copied out of its memory block, never read past the block's end, and
// the clipboard closed again before anyone uses the copy.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::win32 {

// The UTF-16 text in the first `bytes` bytes at `data`, up to its first NUL; without one, all
// the whole units there are.
std::u16string text_of_block(const void* data, std::size_t bytes);

// The clipboard's CF_UNICODETEXT, opened for `owner`; none when it has no text or stays held
// by another program past a few brief tries.
std::optional<std::u16string> clipboard_text(HWND owner);

// Every line break as CR LF, the box's own: CR LF, LF and a lone CR each end a line.
std::u16string with_crlf_breaks(std::u16string_view text);

}  // namespace platform::win32
