// The open dialog's "label|pattern|label|pattern…" filter as GetOpenFileNameW takes it.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// "label\0pattern\0…\0\0": every NUL is in the string itself, the closing pair included. A
// trailing label without its pattern is dropped; an empty filter gives an empty list.
std::u16string filter_list_from_filter(std::u16string_view filter);

}  // namespace platform::win32
