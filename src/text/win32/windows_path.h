// Paths as the Windows file API takes them, past the old 260-character limit.
#pragma once

#include <string>
#include <string_view>

namespace text {

// A full path longer than MAX_PATH with the \\?\ prefix that lifts the limit ("\\?\C:\…",
// "\\?\UNC\server\share\…"); shorter paths, and those already in the device or extended
// namespace, as they are.
std::wstring with_extended_prefix(std::wstring_view full_path);

// The full form of `path` as the system makes it: relative parts resolved against the current
// folder, forward slashes turned; the path as given when it has none.
std::wstring full_path_name(std::u16string_view path);

// The full form of `path`, prefixed as above.
std::wstring extended_length_path(std::u16string_view path);

}  // namespace text
